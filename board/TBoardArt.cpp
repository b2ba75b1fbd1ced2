#include "TBoardArt.h"

#include "GameResources.h"
#include "TImageBank.h"
#include "TSmashParticleFX.h"
#include "TTalvorineGame.h"

namespace {

const plat::TImagePtr& NoImage() {
  static const plat::TImagePtr none;
  return none;
}

}  // namespace

std::shared_ptr<const TBoardArt> TBoardArt::FromBanks() {
  auto lookup = [](const std::shared_ptr<TImageBank>& bank) {
    return [bank](const std::string& name) -> plat::TImagePtr {
      if (!bank) return nullptr;
      TGameImagePtr entry = bank->Find(name);
      return entry ? entry->image : nullptr;
    };
  };
  // A fresh burst for every destroyed jewel. Each file is read once, at the
  // first burst of its kind; one that failed is tried (and reported) again.
  auto models = std::make_shared<std::array<std::unique_ptr<TSmashParticleFX>, 2>>();
  auto bursts = [models](int scoreType) -> std::shared_ptr<TSmashParticleFX> {
    std::unique_ptr<TSmashParticleFX>& model = (*models)[scoreType == 2 ? 1 : 0];
    if (model) return TSmashParticleFX::DuplicateFrom(*model);
    std::string folder = (Game ? Game->DataPrefix : std::string()) + "data/resources/";
    std::string file = scoreType == 2 ? "score2.par" : "score1.par";
    auto effect = std::make_unique<TSmashParticleFX>();
    if (effect->LoadFX("littleendian::" + folder + file)) {
      model = TSmashParticleFX::DuplicateFrom(*effect);
    }
    return effect;
  };
  return Load(lookup(CellImageBank), lookup(WallImageBank), lookup(InterfaceImageBank), bursts);
}

std::shared_ptr<const TBoardArt> TBoardArt::Blank() {
  static const auto blank = std::make_shared<const TBoardArt>();
  return blank;
}

std::shared_ptr<const TBoardArt> TBoardArt::Load(const TImageLookup& cellBank,
                                                 const TImageLookup& wallBank,
                                                 const TImageLookup& interfaceBank,
                                                 TBurstLoader bursts) {
  auto art = std::make_shared<TBoardArt>();
  art->LayoutNormal = cellBank("cellnormal");
  art->LayoutNormalMO = cellBank("cellnormalmo");
  art->LayoutMarble = cellBank("cellmarble");
  art->LayoutMarbleMO = cellBank("cellmarblemo");
  art->LayoutChain = cellBank("cellchain");
  art->LayoutCreate = cellBank("cellcreate");
  art->LayoutFill = cellBank("cellfill");
  art->LayoutEmpty = cellBank("cellempty");
  art->LayoutMarked = cellBank("cellmarked");
  art->LayoutHint = cellBank("cellhint");
  art->Score1 = interfaceBank("score1");
  art->Score2 = interfaceBank("score2");
  for (int colour = 1; colour <= 6; ++colour) {
    art->jewels_[colour] = cellBank("cell" + std::to_string(colour));
  }
  for (const TWallRule& rule : WallRules) {
    art->tiles_[rule.Number] = wallBank(rule.Tile);
    if (rule.Decoration) art->decorations_[rule.Number] = wallBank(rule.Decoration);
  }
  art->bursts_ = std::move(bursts);
  return art;
}

const plat::TImagePtr& TBoardArt::Jewel(int colour) const {
  return colour >= 1 && colour <= 6 ? jewels_[colour] : NoImage();
}

const plat::TImagePtr& TBoardArt::WallTile(int rule) const {
  return rule >= 1 && rule <= WallRuleCount ? tiles_[rule] : NoImage();
}

const plat::TImagePtr& TBoardArt::WallDecoration(int rule) const {
  return rule >= 1 && rule <= WallRuleCount ? decorations_[rule] : NoImage();
}

std::shared_ptr<TSmashParticleFX> TBoardArt::LoadBurst(int scoreType) const {
  return bursts_ ? bursts_(scoreType) : nullptr;
}
