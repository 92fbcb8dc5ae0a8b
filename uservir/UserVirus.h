// The user-reported virus: one file the user declares a virus becomes a signature of the engine
// for this run ("Suspected By User"), and the page around it: browse, drop, reset, and the
// suspected-files list with its pop-up commands. A model the window binds to; it reaches the
// user only through UserVirusView and the disk, the shell and the engine through the seams.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "config/ExceptionList.h"
#include "config/MessageTable.h"
#include "engine/client/Engine.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"
#include "scanner/ResultList.h"
#include "scanner/SuspectList.h"
#include "uservir/UserVirusCandidate.h"

namespace vestra::uservir {

inline constexpr std::u16string_view kUserVirusName = u"Suspected By User";
// Shown in place of the path, name and level while no user virus is declared.
inline constexpr std::u16string_view kNoUserVirus = u"-";
// Beside the executable; where "Get All File!" collects the suspects for sending.
inline constexpr std::u16string_view kUserVirFolder = u"UserVir";
inline constexpr std::u16string_view kBrowseTitle = u"Select suspected file";

// What the page shows of the current user virus; every field "-" while there is none.
struct UserVirusDisplay {
    std::u16string path{kNoUserVirus}, name{kNoUserVirus}, level{kNoUserVirus};
    // Reset is offered exactly while a path is shown.
    bool ResetEnabled() const { return path != kNoUserVirus; }
};

class UserVirusView {
public:
    virtual ~UserVirusView() = default;
    // A box with the program's styles; answers the button pressed (platform::mb::kAnswer...).
    virtual int MessageBox(std::u16string_view text, std::u16string_view title,
                           std::uint32_t style) = 0;
    // The open-file dialog for one existing file; nothing on Cancel.
    virtual std::optional<std::u16string> ChooseFile(std::u16string_view title) = 0;
    // The declared file changed: texts, icon and the Reset button follow.
    virtual void UserVirusChanged(const UserVirusDisplay& display) = 0;
};

struct UserVirusSeams {
    platform::FileSystem& files;
    platform::Shell& shell;
    platform::WindowSystem& windows;
    Engine& engine;
    const config::MessageTable& messages;
    config::ExceptionList& exceptions;
    TrustedPlaces trusted;
    std::u16string ownExePath;
    std::u16string ownFolder;  // ends with a backslash
};

// Whoever holds the suspect list: `recheck` runs the start-up checks again so that the list is
// current (may be empty), `current` answers the list as it stands.
struct SuspectFeed {
    std::function<void()> recheck;
    std::function<const SuspectList&()> current;
};

class UserVirusPage {
public:
    UserVirusPage(UserVirusSeams seams, SuspectFeed suspects, UserVirusView& view);

    // LVUnwanted's rows; a row's tag is the suspect's path.
    ResultList rows;
    // The file properties window; the menu item stays disabled while it is unset.
    std::function<void(std::u16string_view path)> showProperties;

    const UserVirusDisplay& Display() const { return display_; }
    bool UserVirActive() const { return active_; }
    const std::u16string& UserVirPath() const { return path_; }

    bool IsCandidate(std::u16string_view path);
    // The whole declaration: the checks, the question, the old signature out, the new one in.
    void AddUserVirus(std::u16string_view path);
    // Takes the signature out of the engine; when the engine refuses everything stays.
    void Reset();
    // cmdUVBrowse: asks for files until a candidate is chosen or the user gives up.
    void Browse();
    // A file dropped on the page's user-virus controls; folders are ignored.
    void DropFile(std::u16string_view path);

    // The tab was opened: the start-up checks again, then the list.
    void Opened();
    // RefreshUnkList: the rows from the suspect list as it stands.
    void Refresh();
    // Copies every suspect file into the UserVir folder; answers the number copied.
    int GetAllFiles();

    // The pop-up commands on one row (an index past the rows does nothing).
    void AddRowAsVirus(std::size_t row);
    void ExploreRow(std::size_t row);
    void IgnoreRow(std::size_t row);
    void PropertiesOfRow(std::size_t row);

private:
    const std::u16string* RowPath(std::size_t row) const;
    const SuspectList& Suspects() const;

    UserVirusSeams seams_;
    SuspectFeed suspects_;
    UserVirusView& view_;
    UserVirusDisplay display_;
    bool active_ = false;
    std::u16string path_;
};

}  // namespace vestra::uservir
