// Password scrambling, the guard and the save rule.
#include "config/Password.h"

namespace vestra::config {
namespace {

constexpr std::u16string_view kCodeTable =
    u"*u\u00F8a\u00F7]TN\u00CBjW\u00C4\u00B5\u00A3k/\u00F1X\u00FFz"
    u"\u00FC[\u00CF7\u00DE\u00D3U\u00B8\u00B2\u01096\u00CD\u00EE>l\u00A1CGw\u00E1"
    u"\u00DC\u00E9<\u00C0V}H\u00B4B\u00E6\u00F6q\u0101P\u00C8\u00F0i38\u00E8"
    u"\u00C7n\u00AF\u00C9)Q\u00B7%-\u0108\u00EF4,5\u00D2eL#\u00DF\u00BF"
    u"fS\u00C6\u00CA\u00E4O\u00ED\u00AEF\u00DDt\u00AA \u00F3{\u00FDZ\u0102b\u00CC"
    u"\u00C5\u0106\u0105\u00D5\u00D82?\u00A7\u0103\"\u00DA~1\u00E3K\u00E7sp+`"
    u"'\\\u00BD&I\u00A8\u00F4\u00C29\u00E0\u00C1D@\u010AM\u00D9\u00B9\u00E2\u00B1\u00D7"
    u"\u00A6$\u00B3\u0104c:xd\u0107=RY\u00DB\u00A2y(\u00A9\u00F9\u00FB\u00AB"
    u"g\u00B0r\u00EB\u00D4\u00A5!\u00BC\u00A4v\u0100\u00BA^0\u00EA\u00D1\u00C3.\u00D6\u00FE"
    u"\u00B6J\u00F5\u00EC\u00E5A\u00FA\u00CE|;ho\u00ACE\u00F2_\u00BB\u00BEm\u00D0";
static_assert(kCodeTable.size() == kCodeTableSize);

}  // namespace

std::u16string_view PasswordCodeTable() {
    return kCodeTable;
}

std::u16string ScramblePassword(std::u16string_view text) {
    const std::size_t n = text.size();
    std::u16string out;
    out.reserve(n);
    for (char16_t c : text) {
        std::size_t found = kCodeTable.find(c);
        if (found == std::u16string_view::npos) {
            out += c;
            continue;
        }
        std::size_t p = found + 1;
        std::size_t q = kCodeTableSize - ((2 * n + p - 1) % kCodeTableSize);
        out += kCodeTable[q - 1];
    }
    return out;
}

bool PasswordGuard::Pass(bool usePassword, const std::function<bool()>& askPassword) {
    if (!usePassword || passwordEntered)
        return true;
    if (!askPassword || !askPassword())
        return false;
    passwordEntered = true;
    return true;
}

bool PassEachTime(bool usePassword, const std::function<bool()>& askPassword) {
    if (!usePassword)
        return true;
    return askPassword && askPassword();
}

PasswordSave SavePassword(
    std::u16string_view first, std::u16string_view confirm,
    const std::function<bool(std::u16string_view scrambled)>& storeScrambled) {
    if (first != confirm)
        return PasswordSave::Mismatch;
    if (first.empty())
        return PasswordSave::KeptOld;
    if (!storeScrambled || !storeScrambled(ScramblePassword(first))) {
        return PasswordSave::WriteFailed;
    }
    return PasswordSave::Saved;
}

}  // namespace vestra::config
