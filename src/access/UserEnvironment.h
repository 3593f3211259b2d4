#pragma once

#include <QString>

#include <optional>

// Who the user is and where their home is.
class UserEnvironment
{
public:
    virtual ~UserEnvironment() = default;
    // The home folder as the program is told it ($HOME).
    virtual QString homeFolder() const = 0;
    virtual QString loginName() const = 0;
    // A user's home folder from the password database, or nothing for an unknown user.
    virtual std::optional<QString> homeFolderOfUser(const QString& loginName) const = 0;
};

class SystemUserEnvironment final : public UserEnvironment
{
public:
    QString homeFolder() const override;
    QString loginName() const override;
    std::optional<QString> homeFolderOfUser(const QString& loginName) const override;
};

// The ordinary expansion of a leading tilde: "~" and "~/x" in the user's home folder,
// "~name/x" in that user's; other paths, and unknown users, stay as they are.
QString expandingTilde(const QString& path, const UserEnvironment& user);

// The path with a leading home folder written as "~" ("/home/u/x" -> "~/x"). Only a whole
// leading home folder counts: "/home/user2" is not inside "/home/u".
QString abbreviatingHomeFolder(const QString& path, const QString& homeFolder);
