// The effect classes the start-up loads, with their pool sizes, in load order. "explosion2" and
// "heiress_butler_new" load twice: FXAllocate finds only the later pool of each.
#include "effects.h"
#include "game_context.h"

namespace tesk::game {

namespace {

struct EffectClass {
  const char16_t* name;
  uint32_t pool;
};

constexpr EffectClass kEffectClasses[] = {
    {u"explosion", 1},
    {u"explosion2", 1},
    {u"generic_perk_effect", 1},
    {u"puddle_water_effect", 1},
    {u"shockwave2", 1},
    {u"spiral_swirlies3", 1},
    {u"glow_effect", 1},
    {u"senators_watch_bullet_time_effervesce", 1},
    {u"single_symbol_firework", 1},
    {u"spitter", 1},
    {u"tesk_verts_heroic_measures", 1},
    {u"gift_shop_flowers", 1},
    {u"interns_luck1", 1},
    {u"nurses_towelettes", 1},
    {u"gypsy_rose", 1},
    {u"attending_honors", 1},
    {u"clowns_party_favour", 1},
    {u"doctors_intuition", 1},
    {u"chocolate_lovers_choc", 1},
    {u"grandmas_cookies", 1},
    {u"gurus_green_drink", 1},
    {u"executives_order_stars_floating", 1},
    {u"gamer_boost", 1},
    {u"samurais_scalpel", 1},
    {u"celebs_silver_tongue", 1},
    {u"superior_laxative", 1},
    {u"fantastic_beacon3", 1},
    {u"millionaires_money_clip2", 1},
    {u"level_up", 1},
    {u"karate_belt", 1},
    {u"hallucination", 1},
    {u"heiress_butler_new", 1},
    {u"heiress_butler_new", 1},
    {u"boxers_edge", 1},
    {u"pharmacist_dose", 1},
    {u"lion_whip", 1},
    {u"patients_gratitude", 1},
    {u"toxic_effervesence", 15},
    {u"smoke_directional", 15},
    {u"dark_billowing_smoke", 15},
    {u"dust", 15},
    {u"explosion2", 15},
    {u"sink", 5},
    {u"electricution8", 3},
    {u"security", 7},
    {u"shower_decon2", 4},
};
static_assert(std::size(kEffectClasses) == 46);

}  // namespace

void LoadEffects(GamePrivateData& game) {
  if (FXStartup(game))
    for (const EffectClass& effect : kEffectClasses) LoadParticleEffect(game, effect.name, effect.pool);
  Report(u"Startup()... Loaded FX objects");
}

}  // namespace tesk::game
