// Every captioned control of the main window with its Indonesian and English caption, the fixed
// English headings (tabs), and the captions that the window sets at run time from its state.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/Captions.h"

namespace vestra::ui {

struct CaptionEntry {
    int id = 0;
    config::ControlKind kind = config::ControlKind::Other;
    std::u16string_view name;        // the control's name (an array shares one name)
    std::u16string_view indonesian;  // the caption the window is built with
    std::u16string_view english;     // the tag; empty for captions that never change
};

// The whole table, in the order the window creates the controls.
std::span<const CaptionEntry> MainWindowCaptions();
const CaptionEntry* FindCaption(int id);

// The live caption pairs of one window: built Indonesian-first from the table, swapped in place
// by the language switch, read back by id when the window repaints its controls.
class CaptionSet {
public:
    CaptionSet();
    std::span<config::CaptionControl> Controls() { return controls_; }
    // The caption currently shown for the control; empty when the id is not in the table.
    std::u16string_view CaptionOf(int id) const;
    std::span<const int> Ids() const { return ids_; }

private:
    std::vector<int> ids_;
    std::vector<config::CaptionControl> controls_;
};

// Fixed English headings that do not change with the language.
inline constexpr std::array<std::u16string_view, 8> kMainTabCaptions = {
    u"Scanner",    u"Protection", u"Update", u"Tools",
    u"Quarantine", u"Settings",   u"About",  u"Donation"};
inline constexpr std::array<std::u16string_view, 5> kScanTabCaptions = {
    u"Scanner", u"Current Report", u"Virus", u"Registry", u"Hidden"};
inline constexpr std::array<std::u16string_view, 5> kToolTabCaptions = {
    u"One-Virus By-User", u"Process Manager", u"System Editor", u"Win-Force", u"Vest-Lock"};

// Whether picking the language option `index` (0 Indonesian, 1 English) changes the language.
// A stored language other than 0 and 1 reads as English, so picking English then changes
// nothing, and picking Indonesian does: comparing the raw numbers would swap the captions
// back to Indonesian while the messages turned English.
bool LanguageChoiceChanges(int index, int currentLanguage);

// "Quarantine (" n ")".
std::u16string QuarantineTabCaption(int fileCount);

// Buttons whose caption follows the window's state; the language is the message table's
// (0 Indonesian, anything else English).
std::u16string_view PanelButtonCaption(bool panelHidden, int language);
std::u16string_view PasswordButtonCaption(bool editing, int language);
std::u16string_view ProtectButtonCaption(bool protectionOn);
// "Apply " followed by "&& Restart Explorer.exe" (a doubled ampersand shows one "&").
std::u16string SystemApplyCaption();
// The revision and date lines of the About panel.
std::u16string RevisionCaption();
std::u16string DateCaption();

}  // namespace vestra::ui
