#include "access/FolderDiff.h"

#include <QMap>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int contextLines = 3;
// Beyond this many cells the middle of two texts is shown as replaced whole, rather than
// compared line by line: a diff must never cost more memory than the files themselves.
constexpr qsizetype comparedCells = 4'000'000;

struct Lines
{
    QStringList lines;
    bool endsWithNewline = true;
};

Lines splitLines(const QString& text)
{
    if (text.isEmpty())
        return {{}, true};
    Lines split{text.split(u'\n'), text.endsWith(u'\n')};
    if (split.endsWithNewline)
        split.lines.removeLast();
    return split;
}

enum class Op
{
    keep,
    remove,
    add,
};

// The edit script from `a` to `b`: common ends kept, the middle by longest common subsequence.
std::vector<Op> editScript(const QStringList& a, const QStringList& b)
{
    qsizetype prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;
    const qsizetype n = a.size() - prefix - suffix;
    const qsizetype m = b.size() - prefix - suffix;
    std::vector<Op> script(size_t(prefix), Op::keep);
    if ((n + 1) * (m + 1) > comparedCells) {
        script.insert(script.end(), size_t(n), Op::remove);
        script.insert(script.end(), size_t(m), Op::add);
    } else {
        // lengths[i][j]: the longest common run of a[prefix+i..] and b[prefix+j..]
        std::vector<int> lengths(size_t((n + 1) * (m + 1)), 0);
        const auto at = [m](qsizetype i, qsizetype j) {
            return size_t(i * (m + 1) + j);
        };
        for (qsizetype i = n - 1; i >= 0; --i)
            for (qsizetype j = m - 1; j >= 0; --j)
                lengths[at(i, j)] = a[prefix + i] == b[prefix + j]
                                        ? lengths[at(i + 1, j + 1)] + 1
                                        : std::max(lengths[at(i + 1, j)], lengths[at(i, j + 1)]);
        qsizetype i = 0;
        qsizetype j = 0;
        while (i < n || j < m) {
            if (i < n && j < m && a[prefix + i] == b[prefix + j]) {
                script.push_back(Op::keep);
                ++i;
                ++j;
            } else if (i < n && (j == m || lengths[at(i + 1, j)] >= lengths[at(i, j + 1)])) {
                script.push_back(Op::remove); // removals first, as diff shows them
                ++i;
            } else {
                script.push_back(Op::add);
                ++j;
            }
        }
    }
    script.insert(script.end(), size_t(suffix), Op::keep);
    return script;
}

QString range(qsizetype start, qsizetype count)
{
    // As diff writes it: an empty range names the line before it.
    if (count == 0)
        return u"%1,0"_s.arg(start);
    return count == 1 ? QString::number(start + 1) : u"%1,%2"_s.arg(start + 1).arg(count);
}

bool isBinary(const QByteArray& bytes)
{
    return QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 8192)).contains('\0');
}

} // namespace

QString FolderDiff::unified(const QString& before, const QString& after)
{
    const Lines a = splitLines(before);
    const Lines b = splitLines(after);
    const std::vector<Op> script = editScript(a.lines, b.lines);
    if (std::all_of(script.cbegin(), script.cend(), [](Op op) { return op == Op::keep; }) &&
        a.endsWithNewline == b.endsWithNewline)
        return {};
    // A last line without its newline differs from the same line with one.
    const auto line = [](const Lines& lines, qsizetype index, QChar mark) {
        QString text = mark + lines.lines[index] + u'\n';
        if (index == lines.lines.size() - 1 && !lines.endsWithNewline)
            text += u"\\ No newline at end of file\n"_s;
        return text;
    };
    const qsizetype lastLineA = a.lines.size() - 1;
    const qsizetype lastLineB = b.lines.size() - 1;
    // Positions in both texts before each step of the script; a step differs when it is not
    // a keep, or keeps a last line whose ending changed.
    std::vector<std::pair<qsizetype, qsizetype>> positions;
    std::vector<bool> differs;
    qsizetype i = 0;
    qsizetype j = 0;
    for (Op op : script) {
        positions.emplace_back(i, j);
        const bool endingChanged =
            op == Op::keep && (i == lastLineA || j == lastLineB) &&
            (i == lastLineA && !a.endsWithNewline) != (j == lastLineB && !b.endsWithNewline);
        differs.push_back(op != Op::keep || endingChanged);
        i += op == Op::add ? 0 : 1;
        j += op == Op::remove ? 0 : 1;
    }
    QString out;
    const qsizetype steps = qsizetype(script.size());
    qsizetype step = 0;
    while (step < steps) {
        while (step < steps && !differs[size_t(step)])
            ++step;
        if (step == steps)
            break;
        // A hunk: context before, the changes (joined when at most twice the context apart), context after.
        const qsizetype start = std::max<qsizetype>(0, step - contextLines);
        qsizetype end = step;
        while (end < steps) {
            qsizetype next = end;
            while (next < steps && differs[size_t(next)])
                ++next;
            qsizetype gap = next;
            while (gap < steps && !differs[size_t(gap)])
                ++gap;
            if (gap == steps || gap - next > 2 * contextLines) {
                end = std::min(steps, next + contextLines);
                break;
            }
            end = gap;
        }
        QString body;
        qsizetype countA = 0;
        qsizetype countB = 0;
        for (qsizetype k = start; k < end; ++k) {
            const auto [ia, jb] = positions[size_t(k)];
            const Op op = script[size_t(k)];
            if (op == Op::keep && differs[size_t(k)]) {
                body += line(a, ia, u'-') + line(b, jb, u'+');
                ++countA;
                ++countB;
            } else if (op == Op::keep) {
                body += line(a, ia, u' ');
                ++countA;
                ++countB;
            } else if (op == Op::remove) {
                body += line(a, ia, u'-');
                ++countA;
            } else {
                body += line(b, jb, u'+');
                ++countB;
            }
        }
        const auto [startA, startB] = positions[size_t(start)];
        out += u"@@ -%1 +%2 @@\n"_s.arg(range(startA, countA), range(startB, countB)) + body;
        step = end;
    }
    return out;
}

QList<FileChange> FolderDiff::between(const QList<ContentFile>& before, const QList<ContentFile>& after,
                                      const QString& label)
{
    QMap<QString, const ContentFile*> old;
    QMap<QString, const ContentFile*> fresh;
    for (const ContentFile& file : before)
        old.insert(file.relativePath, &file);
    for (const ContentFile& file : after)
        fresh.insert(file.relativePath, &file);
    QStringList paths = old.keys() + fresh.keys();
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());

    QList<FileChange> changes;
    for (const QString& path : std::as_const(paths)) {
        const ContentFile* a = old.value(path);
        const ContentFile* b = fresh.value(path);
        if (a && b && a->bytes == b->bytes && a->executable == b->executable)
            continue;
        const FileChange::Kind kind = !a   ? FileChange::Kind::added
                                      : !b ? FileChange::Kind::removed
                                           : FileChange::Kind::changed;
        const QString nameA = a ? u"a/%1/%2"_s.arg(label, path) : u"/dev/null"_s;
        const QString nameB = b ? u"b/%1/%2"_s.arg(label, path) : u"/dev/null"_s;
        QString diff;
        if ((a && isBinary(a->bytes)) || (b && isBinary(b->bytes))) {
            diff = u"Binary files %1 and %2 differ\n"_s.arg(nameA, nameB);
        } else {
            const QString body = unified(a ? QString::fromUtf8(a->bytes) : QString(),
                                         b ? QString::fromUtf8(b->bytes) : QString());
            diff = body.isEmpty() ? QString() : u"--- %1\n+++ %2\n"_s.arg(nameA, nameB) + body;
            if (a && b && a->executable != b->executable)
                diff.prepend(u"old mode %1\nnew mode %2\n"_s.arg(a->executable ? u"100755"_s : u"100644"_s,
                                                                 b->executable ? u"100755"_s : u"100644"_s));
        }
        changes.append({path, kind, diff});
    }
    return changes;
}
