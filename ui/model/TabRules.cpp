// Main-tab and scan-tab rules, set-up flags and select-all memory.
#include "ui/model/TabRules.h"

#include "ui/model/ListLayouts.h"

namespace vestra::ui {

std::optional<MainTab> MainTabAt(int stripIndex) {
    if (stripIndex < 0 || stripIndex >= kMainTabCount)
        return std::nullopt;
    return static_cast<MainTab>(stripIndex + 1);
}

bool MayOpenDuringScan(MainTab tab) {
    return tab == MainTab::Scanner || tab == MainTab::Settings || tab == MainTab::About ||
           tab == MainTab::Donation;
}

bool IsPasswordGuarded(MainTab tab) {
    return tab == MainTab::Protection || tab == MainTab::Tools || tab == MainTab::Quarantine ||
           tab == MainTab::Settings;
}

TabClickResult ClickMainTab(MainTab tab, const TabClickContext& context,
                            config::PasswordGuard& guard) {
    TabClickResult result;
    result.tab = context.currentTab;
    result.protectionTimerOn = context.currentTab == MainTab::Protection;
    if (!MainTabAt(StripIndexOf(tab)))
        return result;
    if (context.scanRunning && !MayOpenDuringScan(tab))
        return result;
    if (IsPasswordGuarded(tab) && !guard.Pass(context.usePassword, context.askPassword))
        return result;
    if (tab == context.currentTab) {
        result.kind = TabClickResult::Kind::Unchanged;
        return result;
    }
    result.kind = TabClickResult::Kind::Switched;
    result.tab = tab;
    result.refillQuarantine = tab == MainTab::Quarantine;
    result.protectionTimerOn = tab == MainTab::Protection;
    return result;
}

bool PanelSetup::Begin(SetupPart part) {
    const int i = static_cast<int>(part);
    if (i < 0 || i >= kParts || done_[i])
        return false;
    done_[i] = true;
    return true;
}

bool PanelSetup::IsDone(SetupPart part) const {
    const int i = static_cast<int>(part);
    return i >= 0 && i < kParts && done_[i];
}

MainTab OwnerOfPart(SetupPart part) {
    if (part == SetupPart::ResultLists)
        return MainTab::Scanner;
    return MainTabAt(static_cast<int>(part)).value_or(MainTab::Scanner);
}

std::optional<ScanTab> ResultTabOfKind(int detType) {
    if (detType < 1 || detType > 3)
        return std::nullopt;
    return static_cast<ScanTab>(static_cast<int>(ScanTab::Virus) + detType - 1);
}

ScanTabView ViewOfScanTab(ScanTab scanTab) {
    ScanTabView view;
    switch (scanTab) {
        case ScanTab::Targets:
            view.targetTree = true;
            break;
        case ScanTab::Report:
            view.report = true;
            break;
        case ScanTab::Virus:
            view.list = ResultKind::Virus;
            view.extraCaptions = {u"Clean &All", u"Clean &Checked", u"&Explore ...",
                                  u"&Properties"};
            view.extraCommands = {cmd::kPopDetClnAll, cmd::kPopDetClnSel, cmd::kPopDetExp,
                                  cmd::kPopDetProp};
            break;
        case ScanTab::Registry:
            view.list = ResultKind::Registry;
            view.extraCaptions = {u"Repair &All", u"Repair &Checked", u"&Goto Key ...",
                                  u"&Properties"};
            view.extraCommands = {cmd::kPopRegFixAll, cmd::kPopRegFixSel, cmd::kPopRegGoto,
                                  cmd::kPopRegProp};
            break;
        case ScanTab::Hidden:
            view.list = ResultKind::Hidden;
            view.extraCaptions = {u"Unhide &All", u"Unhide &Checked", u"&Explore ...",
                                  u"&Properties"};
            view.extraCommands = {cmd::kPopUnhideAll, cmd::kPopUnhideSel, cmd::kPopUnhideExp,
                                  cmd::kPopUnhideProp};
            break;
        default:
            break;
    }
    return view;
}

bool SelectAllStates::Get(ResultKind list) const {
    const int i = static_cast<int>(list);
    return i >= 0 && i < 3 && states_[i];
}

void SelectAllStates::Set(ResultKind list, bool checked) {
    const int i = static_cast<int>(list);
    if (i >= 0 && i < 3)
        states_[i] = checked;
}

ListCommand CommandOfCaption(std::u16string_view caption) {
    auto endsWith = [&](std::u16string_view tail) { return caption.ends_with(tail); };
    if (endsWith(u"&All"))
        return ListCommand::AllRows;
    if (endsWith(u"&Checked"))
        return ListCommand::CheckedRows;
    if (caption == u"&Explore ...")
        return ListCommand::Explore;
    if (caption == u"&Properties")
        return ListCommand::Properties;
    if (caption == u"&Goto Key ...")
        return ListCommand::GotoKey;
    return ListCommand::None;
}

}  // namespace vestra::ui
