// Windows-only: the main window's controls by id, shared by the frame and every panel: creation
// with the caption table's text and the window's fonts, placement at 96-DPI coordinates, and the
// few operations all of them need. One kit per window keeps the ids unique across panels.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"
#include "ui/model/CaptionTable.h"

namespace vestra::ui {

// The window's fonts by role; every control starts with Normal.
enum class FontRole { Normal, Bold, Heading, Title, List, Link };

class ControlKit {
public:
    enum class Kind {
        Button,
        Check,
        Radio,
        RadioFirst,
        Frame,
        Label,
        Edit,
        EditMulti,
        EditReadOnly,
        CounterBox,
        Password,
        Progress,
        Panel,
        IconBox,
        Swatch
    };

    ControlKit(win::Window& window, const CaptionSet& captions);

    // The caption comes from the caption table when the id is in it, else from `text`.
    HWND Add(Kind kind, HWND parent, int id, std::u16string_view text = {});
    // A list view with its layout's check boxes, in the list font.
    HWND AddList(HWND parent, int id);
    // The list's columns from its layout, once (a list that has columns keeps them).
    void AddColumns(int listId) const;
    // A control made elsewhere (tab strips, the tree) joins the kit under its id.
    HWND Adopt(int id, HWND control);
    HWND Ctl(int id) const;

    // Places a control in its parent at 96-DPI coordinates scaled to the window's DPI.
    void Place(int id, int x, int y, int width, int height) const;
    void Show(int id, bool visible) const;
    void Enable(int id, bool enabled) const;
    void SetText(int id, std::u16string_view text) const;
    int Unscaled(int pixels) const;
    // The width (96-DPI units) a button needs for its caption, never less than `least`.
    int FitWidth(int id, int least) const;

    // Fonts follow the window's DPI: MakeFonts after a DPI change, then ApplyFonts.
    void MakeFonts();
    void ApplyFonts() const;
    void SetFont(int id, FontRole role);
    HFONT Font(FontRole role) const;

    // Writes the caption table's current caption into every captioned control.
    void ApplyCaptions() const;
    const CaptionSet& Captions() const { return captions_; }

private:
    win::Window& window_;
    const CaptionSet& captions_;
    std::map<int, HWND> controls_;
    std::map<int, FontRole> roles_;  // controls whose font is not Normal
    win::UniqueFont normal_, bold_, heading_, title_, list_, link_;
};

}  // namespace vestra::ui
