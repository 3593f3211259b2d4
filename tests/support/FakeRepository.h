#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

// A GitHub repository as its tree listing and raw files show it, for the fakes to serve.
// A folder's tree SHA follows from what lies below it, so changing a file changes the
// SHA of every folder above it, as in git.
struct FakeRepository
{
    struct File
    {
        QByteArray path;
        QByteArray bytes;
        QByteArray mode = "100644"; // "100755", "120000" (a link), "160000" (a submodule)
    };
    QList<File> files;

    // The recursive listing GitHub's trees service gives.
    QByteArray tree() const;
    // The tree SHA of a folder, as the listing gives it.
    QByteArray folderSha(const QByteArray& folder) const;

    // The commit SHA the branch points at: it follows from the content.
    QByteArray commit() const;

    // The API's description of a commit: its SHA and when it was made.
    static QByteArray commitAnswer(const QByteArray& sha, const QByteArray& madeAt);

    // Hands `answer` the commit of `ref`, and the tree's target (for `ref` and that commit under
    // `apiPrefix`) and each file's raw and contents target, as GitHub serves them.
    void serve(const QByteArray& apiPrefix, const QByteArray& rawPrefix, const QByteArray& ref,
               const std::function<void(const QByteArray& target, const QByteArray& body)>& answer) const;
};
