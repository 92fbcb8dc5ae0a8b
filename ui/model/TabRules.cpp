// Main-tab and scan-tab rules, set-up flags and select-all memory.
#include "ui/model/TabRules.h"

#include "ui/model/ListLayouts.h"

namespace vestra::ui {

bool MayOpenDuringScan(int tab) {
    return tab == kTabScanner || tab == kTabSettings || tab == kTabAbout || tab == kTabDonation;
}

bool IsPasswordGuarded(int tab) {
    return tab == kTabProtection || tab == kTabTools || tab == kTabQuarantine ||
           tab == kTabSettings;
}

TabClickResult ClickMainTab(int tab, const TabClickContext& context, config::PasswordGuard& guard) {
    TabClickResult result;
    result.tab = context.currentTab;
    result.protectionTimerOn = context.currentTab == kTabProtection;
    if (tab < 1 || tab > kMainTabCount)
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
    result.refillQuarantine = tab == kTabQuarantine;
    result.protectionTimerOn = tab == kTabProtection;
    return result;
}

bool PanelSetup::Begin(int part) {
    if (part < 0 || part >= kParts || done_[part])
        return false;
    done_[part] = true;
    return true;
}

bool PanelSetup::IsDone(int part) const {
    return part >= 0 && part < kParts && done_[part];
}

ScanTabView ViewOfScanTab(int scanTab) {
    ScanTabView view;
    switch (scanTab) {
        case kScanTabTargets:
            view.targetTree = true;
            break;
        case kScanTabReport:
            view.report = true;
            break;
        case kScanTabVirus:
            view.list = ResultKind::Virus;
            view.extraCaptions = {u"Clean &All", u"Clean &Checked", u"&Explore ...",
                                  u"&Properties"};
            view.extraCommands = {cmd::kPopDetClnAll, cmd::kPopDetClnSel, cmd::kPopDetExp,
                                  cmd::kPopDetProp};
            break;
        case kScanTabRegistry:
            view.list = ResultKind::Registry;
            view.extraCaptions = {u"Repair &All", u"Repair &Checked", u"&Goto Key ...",
                                  u"&Properties"};
            view.extraCommands = {cmd::kPopRegFixAll, cmd::kPopRegFixSel, cmd::kPopRegGoto,
                                  cmd::kPopRegProp};
            break;
        case kScanTabHidden:
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
