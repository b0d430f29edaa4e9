#include "head_table.h"

#include <iterator>

#include "kivo/support/wide_string.h"

namespace tesk::game {

namespace {

// A row that names a second letter comes before its letter's row for any other.
constexpr HeadRow kHeads[] = {
    {u'A', 0, {0.0f, 1.69f, 1.63f, 0.0f}, u"AdminHead", u"AdminHead"},
    {u'C', u'H', {-0.01f, 1.99f, 1.99f, 0.0f}, u"ChiefHead", u"ChiefHead"},
    {u'C', 0, {-0.0f, 1.6f, 1.75f, 0.0f}, u"CopHead", u"CopHead"},
    {u'D', 0, {0.0f, 2.0f, 1.94f, 0.0f}, u"DrHead", u"DrHead"},
    {u'K', 0, {0.029f, -0.05f, 1.72f, 0.0f}, u"KidHead", u"KidHead"},
    {u'L', u'E', {0.0f, 1.66f, 1.715f, 0.0f}, u"LeadNurseHead", u"LeadNurseHead"},
    {u'L', 0, {-0.01f, 1.65f, 1.775f, 0.0f}, u"LabTechHead", u"LabTechHead"},
    {u'M', 0, {0.012f, 1.66f, 1.9f, 0.0f}, u"MedicHead", u"MedicHead"},
    {u'P', 0, {0.22f, 1.68f, 1.775f, 0.0f}, u"PatHead", u"PatHead"},
    {u'R', u'M', {0.005f, 1.62f, 1.65f, 0.0f}, u"RadiologistHead", u"RadiologistHead"},
    {u'R', 0, {-0.02f, 1.69f, 1.77f, 0.0f}, u"ReceptionHead", u"ReceptionHead"},
    {u'S', 0, {-0.005f, 1.68f, 1.87f, 0.0f}, u"SurgeonHead", u"SurgeonHead"},
    {u'V', 0, {-0.188f, 1.66f, 1.79f, 0.0f}, u"VisitorHead", u"VisitorHead"},
};
static_assert(std::size(kHeads) == 13);

}  // namespace

const HeadRow* FindHeadRow(const char16_t* speechId) {
  if (!speechId || !speechId[0]) return nullptr;
  const char16_t letter = kivo::WideStrUpperChar(speechId[0]);
  for (const HeadRow& row : kHeads)
    if (row.letter == letter && (row.second == 0 || row.second == speechId[1])) return &row;
  return nullptr;
}

}  // namespace tesk::game
