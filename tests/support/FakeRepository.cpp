#include "support/FakeRepository.h"

#include "access/FolderContent.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

using namespace Qt::StringLiterals;

QByteArray FakeRepository::folderSha(const QByteArray& folder) const
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const File& file : files)
        if (folder.isEmpty() || file.path.startsWith(QByteArray(folder + '/'))) {
            const QByteArray entry = file.path + '\0' + file.bytes + '\0';
            hash.addData(entry);
        }
    return hash.result().toHex();
}

QByteArray FakeRepository::tree() const
{
    QSet<QByteArray> folders;
    QByteArray entries;
    const auto add = [&](const QByteArray& entry) {
        entries += (entries.isEmpty() ? "" : ",") + entry;
    };
    for (const File& file : files) {
        for (qsizetype slash = file.path.indexOf('/'); slash > 0; slash = file.path.indexOf('/', slash + 1)) {
            const QByteArray folder = file.path.left(slash);
            if (!folders.contains(folder)) {
                folders.insert(folder);
                add(R"({"path":")" + folder + R"(","mode":"040000","type":"tree","sha":")" +
                    folderSha(folder) + R"("})");
            }
        }
        const QByteArray type = file.mode == "160000" ? "commit" : "blob";
        add(R"({"path":")" + file.path + R"(","mode":")" + file.mode + R"(","type":")" + type +
            R"(","sha":")" + FolderContent::gitBlobSha(file.bytes).toLatin1() + R"(","size":)" +
            QByteArray::number(file.bytes.size()) + "}");
    }
    return R"({"sha":")" + folderSha({}) + R"(","truncated":false,"tree":[)" + entries + "]}";
}

QByteArray FakeRepository::commit() const
{
    // Another content, another commit, as in git.
    return QCryptographicHash::hash(QByteArray("commit " + folderSha({})), QCryptographicHash::Sha1).toHex();
}

QByteArray FakeRepository::commitAnswer(const QByteArray& sha, const QByteArray& madeAt)
{
    return "{\"sha\":\"" + sha + "\",\"commit\":{\"committer\":{\"date\":\"" + madeAt + "\"}}}";
}

void FakeRepository::serve(const QByteArray& apiPrefix, const QByteArray& rawPrefix, const QByteArray& ref,
                           const std::function<void(const QByteArray&, const QByteArray&)>& answer) const
{
    static const QRegularExpression sha(u"^[0-9a-f]{40}$"_s);
    const bool isCommit = sha.match(QString::fromLatin1(ref)).hasMatch();
    const QByteArray at = isCommit ? ref : commit();
    answer(apiPrefix + "/commits/" + ref, commitAnswer(at, "2026-01-01T00:00:00Z"));
    for (const QByteArray& name : isCommit ? QList<QByteArray>{ref} : QList<QByteArray>{ref, at}) {
        answer(apiPrefix + "/git/trees/" + name + "?recursive=1", tree());
        for (const File& file : files) {
            const QByteArray path = QUrl::toPercentEncoding(QString::fromUtf8(file.path), "/");
            answer(rawPrefix + '/' + name + '/' + path, file.bytes);
            answer(apiPrefix + "/contents/" + path + "?ref=" + name, file.bytes);
        }
    }
}
