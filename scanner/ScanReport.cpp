// The scan report model.
#include "scanner/ScanReport.h"

#include "common/TextLists.h"
#include "platform/Text.h"
#include "scanner/ScanTexts.h"

namespace vestra {
namespace {

constexpr std::u16string_view kPlainCaptions[3] = {u"Virus", u"Registry", u"Hidden"};

bool ValidKind(int detType) {
    return detType >= kDetFiles && detType <= kDetHidden;
}

}  // namespace

ScanReport::ScanReport()
    : detect({u"Virus Name", u"Type", u"File Path", u"Status"}),
      registry({u"Value Name", u"Key Path", u"Type", u"Status"}),
      hidden({u"Name", u"Attributes", u"Type", u"Path"}) {
    for (int i = 0; i < 3; ++i)
        captions_[i] = kPlainCaptions[i];
}

void ScanReport::ClearReport() {
    state = ScanState{};
    state.stopRequested = true;
    progress = ReportProgress{};
    detect.Clear();
    registry.Clear();
    hidden.Clear();
    for (int i = 0; i < 3; ++i)
        captions_[i] = kPlainCaptions[i];
    view_->ReportCleared();
    view_->TabCaptionsChanged();
}

ResultList& ScanReport::ListOf(int detType) {
    if (detType == kDetRegistry)
        return registry;
    if (detType == kDetHidden)
        return hidden;
    return detect;
}

void ScanReport::EnumDet(int detType, bool detPlus) {
    if (!ValidKind(detType))
        return;
    std::int32_t* detected[] = {&state.filesDetected, &state.valuesDetected, &state.pathsHidden};
    std::int32_t* fixed[] = {&state.filesCleaned, &state.valuesFixed, &state.pathsUnhidden};
    int k = detType - 1;
    ++*(detPlus ? detected[k] : fixed[k]);
    if (ListOf(detType).Count() == 1)
        view_->ListButtonsChanged(detType);
    captions_[k] =
        std::u16string(kPlainCaptions[k]) + u" (" + ToText(*detected[k] - *fixed[k]) + u")";
    view_->TabCaptionsChanged();
}

void ScanReport::AddDetection(const Detection& detection, bool count) {
    const auto& [name, type, path, kind, action] = detection;
    std::size_t row = detect.Add(name, kIconDetected);
    if (!type.empty())
        detect.SetCell(row, detect_column::kType, type);
    if (!path.empty()) {
        detect.SetCell(row, detect_column::kFilePath, path);
        AppendToList(state.detectedPaths, LowerCase(path));
    }
    if (!kind.empty())
        detect.SetCell(row, detect_column::kStatus, kind);
    if (!action.empty())
        detect.SetTag(row, action);
    if (count)
        EnumDet(kDetFiles, true);
    state.reportText += u"=> " + std::u16string(name) + u"\r\n   -" + std::u16string(kind) +
                        u"\r\n   -" + std::u16string(path) + u"\r\n";
}

const std::u16string& ScanReport::TabCaption(int detType) const {
    return captions_[ValidKind(detType) ? detType - 1 : 0];
}

void ScanReport::SetStatus(std::u16string_view text) {
    state.statusText = text;
    view_->StatusChanged();
}

void ScanReport::SetPassProgress(std::size_t done, std::size_t total) {
    if (total == 0)
        return;
    progress.bar = static_cast<std::int32_t>((done * 200 + total) / (2 * total));
    progress.percentText =
        PercentText(static_cast<std::int64_t>(done), static_cast<std::int64_t>(total));
    view_->ProgressChanged();
}

}  // namespace vestra
