// GamePrivateData: the game component's private record, one per game instance, from the construct
// hook to the destroy hook. Every method reaches the game's state through it. Fields not set by the
// construction start as zero; fields of the HUD, screens, camera, audio and save games that later
// code owns join the record with that code.
#pragma once

#include <cstdint>

#include "camera_lerp.h"
#include "environment_record.h"
#include "free_camera.h"
#include "key_hooks.h"
#include "hud_hooks.h"
#include "hud_records.h"
#include "hud_icon_table.h"
#include "super_power_table.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/handle_table.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/list.h"
#include "screen_mode.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"
#include "notice_records.h"
#include "menu_state.h"
#include "screen_forms.h"
#include "sound_effect_records.h"
#include "startup_widgets.h"
#include "tesk/game_slots.h"
#include "tesk/host_callbacks.h"

struct RTTeskActorWrapper;

namespace varno {
struct RTVarnoSymbol;
struct RTVarnoVM;
}  // namespace varno

namespace tesk::game {

using ScriptObject = varno::RTVarnoSymbol*;
using VM = varno::RTVarnoVM*;

// The thirteen lists that Startup makes.
struct WorldLists {
  kivo::List* actorList;    // RTTeskActorWrapper, in registration order
  kivo::List* doctorList;   // wrappers, in the order added
  kivo::List* newbieList;   // wrappers, in the order added
  kivo::List* staffList;    // wrappers, sorted by the script attribute "lastName"
  kivo::List* patientList;  // PatientListEntry records (core blocks) whose first word is a wrapper
  kivo::List* screenList;
  kivo::List* rosterList;  // UTF-16 names (core copies), sorted, no name twice
  kivo::List* episodeLists[4];
  kivo::List* boostIconList;  // fitness, unfit penalty, gamers and proximity icons of the master icons
  kivo::List* episodeList;
};
inline constexpr size_t kWorldListCount = sizeof(WorldLists) / sizeof(kivo::List*);
static_assert(kWorldListCount == 13);

inline constexpr uint32_t kMiniMapScaleBits = 0x3EE8B439;  // 0.4545

struct SuperPowerSlot {
  char16_t name[16];
  int32_t sprite;
};

// The timer dial's words: its expiry mark and the square its clicks fall in. The radius stays 0
// until the dial is first drawn.
struct TimerDial {
  int32_t markTime;  // 99: no mark
  int32_t centerX;
  int32_t centerY;
  int32_t radius;
};

// The count-down the script starts with StartCountDown; nothing reads it back yet.
struct CountDown {
  uint32_t seconds;  // 60 at creation
  uint32_t shown;    // seconds, at most 60
  float start;       // clock seconds
  int32_t state;     // -1 at creation, 1 once started
  uint32_t stamp;    // core milliseconds of the last start
  uint32_t phase;    // flips at every start
};

// The patient bar's pointer words, set by the pointer handler: per bar position, and per newbie.
inline constexpr uint32_t kPatientBarPlaces = 100;
inline constexpr uint32_t kTrackedNewbies = 4;
struct PatientBarHover {
  uint32_t row[kPatientBarPlaces];        // the pointer is on the position
  uint32_t rowNewbie[kPatientBarPlaces];  // ... on the newbie part of a newbie's entry
  uint8_t newbie[kTrackedNewbies];        // ... on a newbie without a patient
  uint8_t newbieHasPatient[kTrackedNewbies];  // owned by the bar's drawing
};

struct ListenerGain {
  float current;
  float from;
  float target;
  float startTime;
  float duration;
};

// The top-left texture coordinates of a 57 x 57-texel cell of the 256 x 256 area-of-interest
// powers image, a 4 x 4 grid.
struct AoiCell {
  float u;
  float v;
};
inline constexpr size_t kAoiCellCount = 16;

struct GameLibrary {
  uint32_t hardwareRendering;          // option 3 (Driver) was non-zero
  uint32_t started;                    // Startup ran to its end; input is ignored before
  uint32_t loading;                    // an environment is loading; input is ignored meanwhile
  uint32_t firstLoadDone;              // an environment has loaded since the library was loaded
  uint32_t debugKeys;                  // option 10 (TESK_CHEAT_DEATH) was non-zero at start-up
  AoiCell aoiCells[kAoiCellCount];     // filled by BuildIconAtlasTable
  AmbienceState ambience;              // one set for every game of the library
};

// The textures of Startup's texture table (rasterizer texture names, 0 until made), in table order.
struct StartupTextures {
  uint32_t aoiOuter;
  uint32_t aoiInner;
  uint32_t aoiPowers;
  uint32_t plateA;
  uint32_t numbers;
  uint32_t plateB;
  uint32_t redNumbers;
  uint32_t greenNumbers;
  uint32_t bigNumbers;
  uint32_t bigGreenNumbers;
  uint32_t bigRedNumbers;
  uint32_t mainA;
  uint32_t mainB;
  uint32_t mainC;
  uint32_t mainD;
  uint32_t startupTopLeft;  // "STARTUP_TL", or "STARTUP_800_TL" at width 800; the three others alike
  uint32_t startupTopRight;
  uint32_t startupBottomLeft;
  uint32_t startupBottomRight;
  uint32_t generalIcons;
  uint32_t startupButtons;
  uint32_t perkIcons;
  uint32_t elements;  // "1024_elements"
  uint32_t leftButtons;
  uint32_t rightButtons;
  uint32_t convTopics;
  uint32_t portalBallsA;
  uint32_t portalBallsB;
  uint32_t loadingBackTexture;    // "LOADING_A", the loading screen's backdrop
  uint32_t loadingSpriteTexture;  // "LOADING_B", its moving sprite
};

// The tuning numbers of the component's resources.
struct Tuning {
  float aoiRadius;  // "AOI_RADIUS"
  float aoiRadiusSquared;
  float beanDistance;  // "BEAN_DISTANCE"
  float beanSize;      // "BEAN_SIZE"
  float beanSpeed;     // "BEAN_SPEED"
  int32_t aoiAdditive;  // "AOI_ADDITIVE"
};

struct GamePrivateData {
  // Host callbacks and the loading-screen pump.
  IdleCallback idleCallback;
  uint32_t pumpTime;     // core milliseconds of the last drawn loading-screen frame
  float loadingSpriteX;  // pixels from the left of the loading screen's moving sprite
  CursorCallback cursorCallback;
  OptionSetter setOptionCallback;
  OptionGetter getOptionCallback;
  char16_t* dataRoot;  // core array block, or null

  // The clock.
  double gameClock;  // seconds
  double timeDilation;
  uint32_t lastTick;  // core milliseconds of the last reset or advance

  WorldLists lists;
  // Made by the constructor and emptied by every environment load: the perk list the HUD's perk
  // panel reads and two lists of the HUD.
  kivo::List* perkList;
  kivo::List* hudLists[2];
  kivo::List* environmentList;
  kivo::List* droppedRoomList;  // rooms whose lights were turned off
  kivo::List* highlightProps;   // scene nodes of the environment's highlightable props
  kivo::List* spawnPoints;      // scene nodes, made by the environment

  ScriptObject gameObject;  // the game's script object, receiver of the game's events
  ScriptObject playerObject;
  RTInstance varno;  // the RTVarno singleton; one reference
  VM vm;             // the VM of the latest script call
  ScriptObject targetObject;
  ScriptObject bedObject;
  RTInstance actorComponent;  // the RTTeskActor singleton; one reference
  RTInstance timer;           // the RTTeskTimer singleton; one reference
  RTInstance audioService;    // the RTFMODAudioService singleton, or null; one reference
  RTInstance rasterizer;      // the RTRasterizer singleton, set by Startup; one reference
  RTInstance routePlanner;    // the RTRoutePlanner singleton, set by Startup; one reference
  void* windowContext;
  GameLibrary* library;       // the library's component-wide state (Library())

  // What Startup loads from the component's resources and the instance store.
  StartupTextures textures;
  Tuning tuning;
  // The four fonts, one reference each: "Root:Fonts:Verdana" (subtitles), "Root:Fonts:Verdana14o",
  // "Root:Fonts:Verdana18o" and "Root:Fonts:Monospaced32" (the title text).
  RTInstance subtitleFont;
  RTInstance outlineFont14;
  RTInstance outlineFont18;
  RTInstance titleFont;

  uint32_t paused;
  uint32_t moviePlaying;

  // Camera.
  float cameraZoom;
  float cameraZoomMax;
  float cameraZoomMin;
  uint32_t cameraZoomClamp;
  float cameraHeight;
  FreeCamera freeCamera;
  uint32_t freeCameraMode;  // 1: the camera follows the user
  uint32_t cameraReleased;
  uint32_t cameraAttachActor;
  RTTeskActorWrapper* cameraAttachWrapper;
  PositionLerp positionLerp;  // drives the scripted point
  CameraLerp pitchLerp;       // drives the free camera's pitch axis
  CameraLerp yawLerp;         // drives its yaw axis
  CameraLerp zoomLerp;        // drives cameraZoom
  float shakeEndTime;
  float shakeAmplitude;
  float fadeEndTime;
  float fadeLastTime;
  float fadeColor[4];  // the screen fade now; the fourth float is its alpha
  float fadeTarget[4];
  float fadeRate[4];  // per second

  // Properties.
  float fogColor[4];
  float fogEnd;
  float fogStart;
  uint32_t miniMapOverride;
  float miniMapScale;
  float miniMapCenter[4];

  // The world.
  RTTeskActorWrapper* firstActor;  // the player
  RTInstance sceneTree;            // the environment's scene tree, or null
  RTInstance rootNode;
  RTInstance worldNode;
  RTInstance followNode;
  RTInstance speechSource;  // the RTAudioSource of speech, or null
  uint32_t pathfinderCount;
  RTInstance* pathfinders;          // RTRoutePlanner instances of the environment
  int32_t scenarioIndex;            // -1: the next environment takes it from the script
  kivo::HandleTable* sceneHandles;  // the scene nodes and rooms that scripts see by number
  EnvironmentState environment;

  // Window and input.
  void* windowHandle;
  uint32_t screenWidth;
  uint32_t screenHeight;
  uint32_t resizePending;
  uint32_t mouseX;
  uint32_t mouseY;
  int32_t highlightedHudIcon;  // an index of hudIcons, or kNoHudIcon

  // Screens and HUD.
  uint8_t ScreenMode;
  int32_t frontEndActive;
  uint32_t returnToFrontEnd;
  uint32_t hudState;
  uint32_t subtitleActive;
  uint32_t subtitlesOn;  // option 8
  uint32_t clockStyle;   // 0: 12-hour clock; set from option 9
  uint32_t handsOff;
  uint32_t prestige;
  char16_t* prestigeTitle;  // core array block
  uint32_t wingTier;        // 0 black, 1 blue, 2 bronze, 3 silver, 4 gold
  SkillNumbers skills;
  PortalRecord portals[kProblemPortalCount + 1];  // the three problem portals, then the conversation's
  uint32_t problemCount;
  uint32_t captureDogPanel;
  int32_t newbiePatientCount;  // entries attended by a newbie, recounted by every sort
  float perkReceiveTime;
  float skillHoverDistance;
  Disposition disposition;
  HealthStats stats;
  SuperPowerSlot superPowerSlots[3];
  TimerDial timerDial;
  CountDown countDown;
  PatientBarHover patientBarHover;
  int32_t clickSelection;
  CurbsideReply curbsideReply;
  uint32_t doctorMenuOpen;
  uint32_t patientMenuOpen;
  HudIconRecord hudIcons[kHudIconCount];  // the built-in table, copied at creation
  uint32_t superPowerLevels[kSuperPowerCount][kSkillCount];
  char16_t* pageText;
  uint32_t pageTime;  // whole seconds of the clock
  char16_t* systemMessageText;
  uint32_t systemMessageTime;
  kivo::StrHashTable* roomAmbience;  // room name to ambience sound name (or null)

  // Audio.
  SfxVoice sfxVoices[kVoiceCount];
  kivo::StrHashTable* sfxBufferTable;  // buffer name to SfxBufferEntry (the newest first)
  kivo::List* sfxBufferList;           // every SfxBufferEntry, in registration order
  float sfxGain;                       // every voice plays at its volume times this
  ListenerGain listenerGain;
  uint32_t speechPlaying;  // a speech started and its source has not yet been found stopped
  uint32_t speechLength;   // milliseconds of the last speech started, as the audio service gives it
  MusicState music;

  // The frame's camera (its node and lens are the environment's) and what the frame render reads
  // of the screens and the HUD.
  uint32_t cameraRotateLeft;
  uint32_t cameraRotateRight;
  RTFVector3D freeCameraPosition;  // the looked-at point while the user pans
  uint32_t lastFrameDuration;      // core milliseconds the last frame render took
  uint8_t previousScreenMode;
  uint8_t menuReturnScreenMode;  // what closing the in-game menu restores
  uint32_t perkSwapBusy;         // the perk swap screen is working; ESC waits
  uint32_t debugInfo;            // toggled by HOME (debug keys)
  uint32_t pictureAdvance;       // set by SPACE; the picture list moves on and clears it
  RTInstance inspector;          // the RTInspector2 made by END (debug keys), or null
  KeyHooks keyHooks;
  uint32_t hudHidden;
  float subtitleEndTime;   // clock seconds; 999999.0: no end
  uint32_t subtitleLineWord;  // handed to the subtitle font with each line; nothing sets it yet
  RTTeskActorWrapper* patientTipWrapper;  // the actor whose tool tip shows, or null
  RTTeskActorWrapper* doctorTipWrapper;
  uint32_t tipShownAt;  // whole seconds of the clock
  int32_t tipX;
  int32_t tipY;
  kivo::List* curbsideList;  // IncomingCurbsideEntry records, in arrival order
  kivo::List* hintList;      // HintEntry records, the oldest first
  kivo::List* edictList;     // EdictEntry records: the open ones by expiry, then the closed ones
  kivo::List* activePerkList;  // ActivePerkEntry records, in arrival order
  uint32_t securityCamerasReady;
  uint32_t securityCameraIndex;  // 0 to 2
  RTInstance securityCameraNode;
  uint32_t securityViewActive;
  uint32_t antidoteOpen;
  int32_t endingMusicSource;  // the sound source of the between-episodes music, or -1
  uint32_t bballShotArmed;
  uint32_t bballShotBusy;
  PerkTargeting perkTargeting;
  uint32_t tooltipActive;
  int32_t tooltipX;
  int32_t tooltipY;
  int32_t tooltipWidth;
  float tooltipStart;
  float tooltipDelay;
  char16_t* tooltipText;
  uint32_t titleActive;
  char16_t* titleText;
  uint32_t titleCharWidth;
  uint32_t titleCharHeight;
  float titleColor[3];
  ScreenForms forms;
  StartupWidgets widgets;
  HudHooks hudHooks;
  MenuState menus;

  // Heap statistics of the last LogHeapStats.
  uint32_t lastHeapBlocks;
  uint32_t lastHeapBytes;
  uint32_t lastSymbolCount;
};

// The record of a game instance; null when the instance has none.
inline GamePrivateData* RecordOf(RTInstance game) { return kivo::StateIn<GamePrivateData>(game, kStateWord); }

// The library's component-wide state, one for every game of the loaded library.
GameLibrary& Library();

}  // namespace tesk::game
