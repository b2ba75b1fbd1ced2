// An ordered list of buttons managed and drawn together: built from image
// names (stacked, in pairs or in a row), centred and moved as a group, and
// asked by button name which one was clicked or is under the pointer. The
// first button in list order under the pointer takes a press.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TButton.h"
#include "TDrawable.h"
#include "TGameSound.h"

class TMenu : public TScreenMenu {
 public:
  // Sounds are loaded from the game's sound folder + name + ".wav"; an
  // empty name means none.
  static std::shared_ptr<TMenu> Create(const std::string& mouseOverSound,
                                       const std::string& clickSound, float x = 0, float y = 0,
                                       int gap = 0);
  void Init(const std::string& mouseOverSound, const std::string& clickSound, float x = 0,
            float y = 0, int gap = 0);
  void Kill() override;

  void SetShadow(int on, float sx, float sy, float alpha);
  void ResetShadow(int on, float sx, float sy, float alpha);
  void ChangeShadow(int on, float sx, float sy, float alpha);
  void SetAlpha(float a);

  // A button from the menu image folder, centred on the screen at NextY.
  TButton* AddNew(const std::string& name, const std::string& mouseOverName,
                  const std::string& buttonName = "", int cellWidth = 0, int cellHeight = 0,
                  int frames = 1);
  TButton* DoAddNew(const std::string& name, const std::string& mouseOverName,
                    const std::string& buttonName, int cellWidth, int cellHeight, int frames);
  void IncreaseHeight(const TButton& button);
  TButton* AddQuick(const std::string& name, const std::string& buttonName = "");
  // AddQuick plus the "_disabled" and "_down" looks when those files exist.
  TButton* AddQuickAuto(const std::string& name, const std::string& buttonName = "");
  // Two buttons side by side, the second gap pixels right of the first;
  // returns the first.
  TButton* AddPair(const std::string& name1, const std::string& name2, int gap,
                   const std::string& prefix = "");
  TButton* FindButton(const std::string& buttonName) const;

  void StoreOriginalCoords();
  void SetX(float newX);
  void SetY(float newY);
  void SetPairX(const std::string& name1, const std::string& name2, float newX);
  void ScaleMenu(float sx, float sy);
  void CalcCoords();
  void CalcLeft();
  void CalcTop();
  int CalcWidth();
  int CalcHeight();
  void CentreHoriz();
  void CentreVert();
  void Centre();
  void MakeRow(int gap);
  void ClearStates();
  void ClearGlow();
  void ClearMouseClick();
  void ClearMouseOver();
  void ClearScale();

  // 1 when the named button was clicked (or is under the pointer) on the
  // last managed step; the answer is consumed when the clearing flag is set.
  int Clicked(const std::string& buttonName);
  int MouseOver(const std::string& buttonName);

  int Manage() override;
  int ManageNoSound() override;
  void ManageFixedGlowOnly();
  void ManageScaleOnMO();
  void Precache();
  void Draw(float dx = 0, float dy = 0) override;

  // List order is management and drawing order.
  std::vector<std::unique_ptr<TButton>> Buttons;
  float x = 0, y = 0;
  float OX = 0, OY = 0;
  int w = 0, h = 0;
  std::string MouseOverName, ClickedName;
  TGameSoundPtr SoundMouseOver, SoundClick;
  int NextY = 0;
  int Gap = 0;
  int AddGap = 0;
  int NoSound = 0;
  int Shadow = 0;
  float ShadowX = 3.0f, ShadowY = 3.0f;
  float ShadowAlpha = 0.5f;
  int ClearClickedName = 1;
  int ClearMouseOverName = 0;
  int AcceptInput = 1;
};
