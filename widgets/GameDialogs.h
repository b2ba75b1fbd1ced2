// The game's standard dialogs, built in one place so that every screen's
// questions and messages look alike: the "input" background for yes/no
// questions and text questions, "inputlong" for OK messages, a box shadow at
// (3, 3) alpha 0.4, white 20-point text with a shadow at (1, 1) alpha 0.6.
// Each is started at once and the logic timer restarted, so the time spent
// building it is not caught up afterwards. The owner manages the dialog
// until it returns non-zero, then drops it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "TBox.h"
#include "TDialogOK.h"
#include "TDialogTextInput.h"
#include "TDialogYesNo.h"

// A question with "Yes" and "No".
std::unique_ptr<TDialogYesNo> GameDialogYesNo(const std::string& text);
// A message with "OK".
std::unique_ptr<TDialogOK> GameDialogOK(const std::string& text);
// A text question: at most 14 characters, none of " | * \ / : ; ~ ? < >,
// characters above 127 allowed; "OK" alone or "OK" and "Cancel".
std::unique_ptr<TDialogTextInput> GameDialogTextInput(const std::string& caption,
                                                      int withCancel = 0);

// The same, with the game text of a key as the message.
std::unique_ptr<TDialogYesNo> GameDialogYesNoForKey(const std::string& key);
std::unique_ptr<TDialogOK> GameDialogOKForKey(const std::string& key);
std::unique_ptr<TDialogTextInput> GameDialogTextInputForKey(const std::string& key,
                                                            int withCancel = 0);

// The player's name prompt: caption game text "Enter Name", at most 10
// characters, the picture "entername.png" of the image folder, the field
// box 90 pixels in from each side, the same refused characters as a text
// question; errorCheck (text, message out) returns -1 to refuse a name,
// whose message is then shown as an OK message over the prompt.
using TNameCheck = std::function<int(const std::string& text, std::string& message)>;
// caption: the prompt's own text instead of "Enter Name" (when not empty).
std::unique_ptr<TDialogTextInput> GameNamePrompt(TNameCheck errorCheck, int withCancel = 0,
                                                 const std::string& caption = "");

// The look of the game's list boxes: a glass panel in the deep violet of
// the game's rock with a sheen and a lit rim, and the selection in amber.
void GameListLook(TBox& box, std::shared_ptr<TColor>& highlight);
// Gives a text question its check; a refusal with a message shows it over
// the question, one without (an empty text) leaves the field open.
void GameCheckText(TDialogTextInput& dialog, TNameCheck errorCheck);
