// The skin's stream. After the mesh's part (RTPolyModel's body, read and written through that
// level's own table), little-endian:
//
//   u32 version      2816; a newer version is refused
//   bone record      the root, then its subtree depth first
//   from 2816 on:    f32 damper, u32 iteration limit, f32 goal distance, u32 chain count, then
//                    the chain records
//
// Bone record: the name (u32 length in UTF-16 units, then that many units and a terminator; only
// the u32 0 when empty); the inverse bind matrix (16 f32, column by column); then the rows of the
// versions, entered at the row of the stream's exact version and read from there on:
//   2816  arc min, arc max (f32)
//   2560  cone length (f32)
//   2304  DOF (u32), sweep offset (3 f32), radius A, radius B, twist min, twist max (f32)
//   2048  pivot (3 f32)
//   1792  two spare vectors (6 f32, written as zeros, skipped on reading)
//   1536  rest local matrix (16 f32)
// A version that is none of these six reads none of the rows. Then u32 n, n u32 vertex indices,
// n f32 weights, u32 child count and the child records. A bone read starts from the defaults of a
// new bone, with radius B 0.1; the rest local matrix, when read, gives the custom matrix, the
// inverse rest local matrix and the rotation. The root's inverse bind, rest local and custom
// matrices are the identity, whatever the stream holds.
//
// Chain record: the name, u32 link count, then each link's bone name from the end effector up to
// the chain root. Chains come back inactive, not dirty, with a zero target. A stream older than
// 2816 keeps the skin's settings and chains: each chain is found again by its links' names in the
// new tree and dropped, with a message, when it no longer runs through it.
//
// Reading builds the new tree, chains and bind lists aside and takes them only once all of it is
// read, and the mesh's part is put back when the skin's part is refused: a refused stream changes
// nothing. Refused, with a message: a newer version, a stage other than 0 and 0xFFFFFFFF, a count
// of influences, children, chains or links larger than the bytes left can hold, an influence naming
// no vertex of the mesh's part, a tree deeper than 256 bones, a chain of fewer than two links or
// one whose links name no bone or do not run from a bone up through its ancestors, a stream cut
// short.
#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

#include "bind_lists.h"
#include "bone_constraints.h"
#include "bone_methods.h"
#include "bone_model_state.h"
#include "ik_chains.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/core_arrays.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/matrix.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"

namespace kivo::skin {

namespace {

namespace mesh = kivo::poly_model;

constexpr ParentStream kMeshPart{mesh::kOwnTable, mesh::kStreamIn, mesh::kStreamOut};
constexpr float kStreamRadiusB = 0.1f;
constexpr uint32_t kWordBytes = 4;
constexpr uint32_t kMatrixWords = 16;
constexpr uint32_t kLeastChainBytes = 8;  // an empty name and the link count
constexpr uint32_t kLeastLinkBytes = 4;   // an empty name

// The versions whose rows a bone record holds, each entering at its own row.
constexpr uint32_t kArcsRow = 2816;
constexpr uint32_t kConeLengthRow = 2560;
constexpr uint32_t kLimitsRow = 2304;
constexpr uint32_t kPivotRow = 2048;
constexpr uint32_t kSparesRow = 1792;
constexpr uint32_t kRestLocalRow = 1536;
constexpr uint32_t kSpareWords = 6;

// The rows in stream order with their sizes in words.
struct VersionRow {
  uint32_t version;
  uint32_t words;
};
constexpr VersionRow kRows[] = {{kArcsRow, 2},  {kConeLengthRow, 1},       {kLimitsRow, 8},
                                {kPivotRow, 3}, {kSparesRow, kSpareWords}, {kRestLocalRow, kMatrixWords}};

// The words of the rows a stream of the version holds: from its own row to the last.
uint32_t RowWords(uint32_t version) {
  uint32_t words = 0;
  bool entered = false;
  for (const VersionRow& row : kRows) {
    entered = entered || row.version == version;
    if (entered) words += row.words;
  }
  return words;
}

// Fixed-size words of a record, taken in order.
class Words {
 public:
  explicit Words(const std::vector<uint32_t>& words) : words_(words) {}
  uint32_t Word() { return words_[next_++]; }
  float Float() { return std::bit_cast<float>(Word()); }
  RTFVector3D Vector() {
    RTFVector3D v{};
    v.x = Float();
    v.y = Float();
    v.z = Float();
    return v;
  }
  RTFMatrix4x4 Matrix() {
    RTFMatrix4x4 m{};
    for (int column = 0; column < 4; ++column)
      for (int row = 0; row < 4; ++row) m.m[row][column] = Float();
    return m;
  }
  void Skip(uint32_t count) { next_ += count; }

 private:
  const std::vector<uint32_t>& words_;
  uint32_t next_ = 0;
};

// What a read gives the skin, held aside until all of it is read; freed unless taken.
struct Loaded {
  RTBoneNode* root = nullptr;
  bool settings = false;  // the stream holds the IK block
  float damper = 0;
  int32_t iterationLimit = 0;
  float goalDistance = 0;
  // The chains the skin will hold: new ones (2816), or the kept ones whose new links are below.
  std::vector<IKChain*> chains;
  std::vector<RTBoneNode**> keptLinks;
  IKChain** chainArray = nullptr;  // the chains in the skin's own array
  BindList vertices{}, normals{}, tangents{};

  ~Loaded() {
    FreeTree(root);
    if (settings)
      for (IKChain* chain : chains) FreeChain(chain);
    for (RTBoneNode**& links : keptLinks) FreeArray(links);
    FreeArray(chainArray);
    FreeBindList(vertices);
    FreeBindList(normals);
    FreeBindList(tangents);
  }
};

class SkinReader {
 public:
  SkinReader(RTInstance stream, uint32_t version, uint32_t vertexCount)
      : stream_(stream), version_(version), rowWords_(RowWords(version)), vertexCount_(vertexCount) {}

  bool ReadTree(Loaded* loaded) {
    loaded->root = NewStreamBone();
    if (!loaded->root) return Fail(u"out of memory");
    if (!ReadBoneNode(loaded->root, 1)) return false;
    RTBoneNode* root = loaded->root;
    Mat4Identity(&root->inverseBind);
    Mat4Identity(&root->restLocal);
    Mat4Identity(&root->customMatrix);
    VisitBones(root, [](RTBoneNode* bone) { BuildConeSamples(bone); });
    return true;
  }

  bool ReadSettings(Loaded* loaded) {
    std::vector<uint32_t> block(4);
    if (!StreamReadBytes(stream_, block.data(), 4 * kWordBytes)) return Fail(u"the IK settings are cut short");
    Words words(block);
    loaded->settings = true;
    loaded->damper = words.Float();
    loaded->iterationLimit = static_cast<int32_t>(words.Word());
    loaded->goalDistance = words.Float();
    const uint32_t count = words.Word();
    if (!Holds(uint64_t{count} * kLeastChainBytes)) return Fail(u"the chain count %u is larger than the stream", count);
    for (uint32_t i = 0; i < count; ++i)
      if (!ReadChain(loaded, i)) return false;
    return true;
  }

  template <class... Args>
  bool Fail(std::u16string_view reason, const Args&... args) {
    if (!failed_) {
      RaiseFormatted(kLevelError, u"RTBoneModel::StreamIn(): %s; the skin is left as it was", Format(reason, args...));
    }
    failed_ = true;
    return false;
  }

 private:
  bool Holds(uint64_t bytes) const { return StreamHolds(stream_, bytes) != 0; }

  // The least a bone record takes: name length, the matrix and rows, two counts.
  uint64_t LeastBoneBytes() const { return kWordBytes * (1 + kMatrixWords + rowWords_ + 2); }

  static RTBoneNode* NewStreamBone() {
    RTBoneNode* bone = NewBone(nullptr);
    if (bone) bone->radiusB = kStreamRadiusB;
    return bone;
  }

  // The rows from the version's own on; a version of none of them reads none.
  void TakeRows(Words& words, RTBoneNode* bone) const {
    bool entered = false;
    const auto enter = [&](uint32_t row) { return entered = entered || version_ == row; };
    if (enter(kArcsRow)) {
      bone->arcMin = words.Float();
      bone->arcMax = words.Float();
    }
    if (enter(kConeLengthRow)) bone->coneLength = words.Float();
    if (enter(kLimitsRow)) {
      bone->dof = words.Word();
      bone->sweepOffset = words.Vector();
      bone->radiusA = words.Float();
      bone->radiusB = words.Float();
      bone->twistMin = words.Float();
      bone->twistMax = words.Float();
    }
    if (enter(kPivotRow)) bone->pivot = words.Vector();
    if (enter(kSparesRow)) words.Skip(kSpareWords);
    if (enter(kRestLocalRow)) {
      bone->restLocal = words.Matrix();
      bone->customMatrix = bone->restLocal;
      bone->inverseRestLocal = bone->restLocal;
      Mat4InvertRigid(&bone->inverseRestLocal);
      MatToQuat(bone->customMatrix, &bone->rotation);
    }
  }

  bool ReadBoneNode(RTBoneNode* bone, uint32_t depth) {
    char16_t* name = nullptr;
    if (!StreamReadWString(stream_, &name)) return Fail(u"a bone name is cut short or longer than the stream");
    if (name) {
      FreeArray(bone->name);
      bone->name = name;
    }
    std::vector<uint32_t> block(kMatrixWords + rowWords_ + 1);
    if (!StreamReadBytes(stream_, block.data(), static_cast<uint32_t>(block.size() * kWordBytes)))
      return Fail(u"the record of bone \"%s\" is cut short", bone->name);
    Words words(block);
    bone->inverseBind = words.Matrix();
    TakeRows(words, bone);
    const uint32_t n = words.Word();
    return ReadInfluences(bone, n) && ReadChildren(bone, depth);
  }

  bool ReadInfluences(RTBoneNode* bone, uint32_t n) {
    if (!Holds(uint64_t{n} * 2 * kWordBytes + kWordBytes))
      return Fail(u"the influence count %u of bone \"%s\" is larger than the stream", n, bone->name);
    if (!NewArray(n, &bone->vertexIndices) || !NewArray(n, &bone->weights)) return Fail(u"out of memory");
    bone->influenceCount = n;
    if (n && (!StreamReadBytes(stream_, bone->vertexIndices, n * kWordBytes) ||
              !StreamReadBytes(stream_, bone->weights, n * kWordBytes)))
      return Fail(u"the influences of bone \"%s\" are cut short", bone->name);
    for (uint32_t k = 0; k < n; ++k)
      if (bone->vertexIndices[k] >= vertexCount_)
        return Fail(u"influence %u of bone \"%s\" names vertex %u of %u", k, bone->name, bone->vertexIndices[k],
                    vertexCount_);
    return true;
  }

  bool ReadChildren(RTBoneNode* bone, uint32_t depth) {
    uint32_t count = 0;
    if (!StreamReadUInt(stream_, &count)) return Fail(u"the record of bone \"%s\" is cut short", bone->name);
    if (count && depth >= kMaxDepth) return Fail(u"the tree is deeper than %u bones", kMaxDepth);
    if (!Holds(uint64_t{count} * LeastBoneBytes()))
      return Fail(u"the child count %u of bone \"%s\" is larger than the stream", count, bone->name);
    if (!NewArray(count, &bone->children)) return Fail(u"out of memory");
    bone->childCount = count;
    for (uint32_t i = 0; i < count; ++i) {
      RTBoneNode* child = NewStreamBone();
      if (!child) return Fail(u"out of memory");
      bone->children[i] = child;
      child->parent = bone;
      if (!ReadBoneNode(child, depth + 1)) return false;
    }
    return true;
  }

  bool ReadChain(Loaded* loaded, uint32_t index) {
    void* block = nullptr;
    if (!ModuleCore()->MemAlloc(nullptr, sizeof(IKChain), &block, 1)) return Fail(u"out of memory");
    auto* chain = static_cast<IKChain*>(block);
    loaded->chains.push_back(chain);
    uint32_t count = 0;
    if (!StreamReadWString(stream_, &chain->name) || !StreamReadUInt(stream_, &count))
      return Fail(u"chain %u is cut short", index);
    const char16_t* name = chain->name ? chain->name : u"";
    if (count < 2) return Fail(u"chain \"%s\" has %u links, not at least 2", name, count);
    if (!Holds(uint64_t{count} * kLeastLinkBytes))
      return Fail(u"the link count %u of chain \"%s\" is larger than the stream", count, name);
    if (!NewArray(count, &chain->links)) return Fail(u"out of memory");
    chain->linkCount = static_cast<int32_t>(count);
    for (uint32_t i = 0; i < count; ++i) {
      char16_t* link = nullptr;
      if (!StreamReadWString(stream_, &link)) return Fail(u"chain \"%s\" is cut short", name);
      chain->links[i] = FindBoneByName(loaded->root, link);
      const bool found = chain->links[i] != nullptr;
      if (!found) Fail(u"link %u of chain \"%s\" names no bone: \"%s\"", i, name, link ? link : u"");
      FreeArray(link);
      if (!found) return false;
    }
    if (!LinksFormChain(chain->links, chain->linkCount))
      return Fail(u"the links of chain \"%s\" do not run from a bone up through its ancestors", name);
    return true;
  }

  RTInstance stream_;
  uint32_t version_;
  uint32_t rowWords_;
  uint32_t vertexCount_;
  bool failed_ = false;
};

// Kept chains found again in the new tree by their links' names; those that no longer run through
// it are left out of `loaded` and reported.
bool FindKeptChains(const BoneModelState& state, Loaded* loaded) {
  for (int32_t c = 0; c < state.chainCount; ++c) {
    IKChain* chain = state.chains[c];
    RTBoneNode** links = nullptr;
    if (!NewArray(static_cast<uint32_t>(chain->linkCount), &links)) return false;
    for (int32_t i = 0; i < chain->linkCount; ++i) links[i] = FindBoneByName(loaded->root, chain->links[i]->name);
    if (!LinksFormChain(links, chain->linkCount)) {
      RaiseFormatted(kLevelError,
                     u"RTBoneModel::StreamIn(): chain \"%s\" no longer runs through the skin's bones; it "
                     u"is dropped",
                     chain->name ? chain->name : u"");
      FreeArray(links);
      continue;
    }
    loaded->chains.push_back(chain);
    loaded->keptLinks.push_back(links);
  }
  return true;
}

// The bind lists of the mesh's part just read, and the skin's array of chains.
bool Prepare(RTInstance self, Loaded* loaded) {
  const MeshList vertices = MeshVertices(self), normals = MeshNormals(self), tangents = MeshTangents(self);
  return KeepBindList(loaded->vertices, vertices.items, vertices.count) &&
         KeepBindList(loaded->normals, normals.items, normals.count) &&
         KeepBindList(loaded->tangents, tangents.items, tangents.count) &&
         CopyArray(loaded->chains.data(), static_cast<uint32_t>(loaded->chains.size()), &loaded->chainArray);
}

void TakeBindList(BindList& list, BindList& loaded) {
  FreeBindList(list);
  list = std::exchange(loaded, BindList{});
}

// Nothing here can fail.
void Commit(BoneModelState& state, Loaded& loaded) {
  ReplaceTrees(state, std::exchange(loaded.root, nullptr));
  if (loaded.settings) {
    FreeChains(state.chains, state.chainCount);
    state.damper = loaded.damper;
    state.iterationLimit = loaded.iterationLimit;
    state.goalDistance = loaded.goalDistance;
  } else {
    for (size_t i = 0; i < loaded.chains.size(); ++i) {
      FreeArray(loaded.chains[i]->links);
      loaded.chains[i]->links = std::exchange(loaded.keptLinks[i], nullptr);
    }
    for (int32_t c = 0; c < state.chainCount; ++c)
      if (std::find(loaded.chains.begin(), loaded.chains.end(), state.chains[c]) == loaded.chains.end())
        FreeChain(state.chains[c]);
    FreeArray(state.chains);
  }
  state.chains = std::exchange(loaded.chainArray, nullptr);
  state.chainCount = static_cast<int32_t>(loaded.chains.size());
  loaded.chains.clear();
  TakeBindList(state.vertices, loaded.vertices);
  TakeBindList(state.normals, loaded.normals);
  TakeBindList(state.tangents, loaded.tangents);
}

}  // namespace

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  BoneModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  // What the mesh's part puts back on a refusal is then the bind pose.
  ShowBindPose(self, *state);
  return StreamInAfterParent(self, kMeshPart, stage, stream, [&] {
    uint32_t version = 0;
    if (!StreamReadVersion(stream, bone_model::kStreamVersion, &version)) {
      RaiseFormatted(kLevelError, u"RTBoneModel::StreamIn(): the stream holds no skin of version %u or older",
                     bone_model::kStreamVersion);
      return false;
    }
    if (!component::IsWholeStage(stage)) return false;
    Loaded loaded;
    SkinReader reader(stream, version, MeshVertices(self).count);
    if (!reader.ReadTree(&loaded)) return false;
    const bool read =
        version == bone_model::kStreamVersion ? reader.ReadSettings(&loaded) : FindKeptChains(*state, &loaded);
    if (!read) return false;
    if (!Prepare(self, &loaded)) return reader.Fail(u"out of memory");
    Commit(*state, loaded);
    return true;
  });
}

}  // namespace kivo::skin
