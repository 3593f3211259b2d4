#include "access/FolderDiff.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString numbered(int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QString::number(i) + u'\n';
    return text;
}
} // namespace

class TestFolderDiff : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The hunks as GNU diff -u writes them for the same texts.
    void textsDifferAsDiffShowsThem_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("expected");
        QTest::newRow("equal") << numbered(5) << numbered(5) << QString();
        QTest::newRow("one line, three of context")
            << numbered(10) << QString(numbered(10)).replace(u"\n5\n"_s, u"\nfive\n"_s)
            << u"@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n"_s;
        QTest::newRow("far apart: two hunks")
            << numbered(14)
            << QString(numbered(14)).replace(u"1\n2\n"_s, u"one\n2\n"_s).replace(u"14\n"_s, u"fourteen\n"_s)
            << u"@@ -1,4 +1,4 @@\n-1\n+one\n 2\n 3\n 4\n@@ -11,4 +11,4 @@\n 11\n 12\n 13\n-14\n+fourteen\n"_s;
        QTest::newRow("near: one hunk")
            << numbered(10) << u"1\nTWO\n3\n4\n5\n6\n7\nEIGHT\n9\n10\n"_s
            << u"@@ -1,10 +1,10 @@\n 1\n-2\n+TWO\n 3\n 4\n 5\n 6\n 7\n-8\n+EIGHT\n 9\n 10\n"_s;
        QTest::newRow("removed and added")
            << u"1\n2\n3\n"_s << u"1\n3\n4\n"_s << u"@@ -1,3 +1,3 @@\n 1\n-2\n 3\n+4\n"_s;
        QTest::newRow("no newline at the end")
            << u"a\nb"_s << u"a\nb\nc\n"_s
            << u"@@ -1,2 +1,3 @@\n a\n-b\n\\ No newline at end of file\n+b\n+c\n"_s;
        QTest::newRow("from nothing") << QString() << u"x\n"_s << u"@@ -0,0 +1 @@\n+x\n"_s;
        QTest::newRow("to nothing") << u"x\n"_s << QString() << u"@@ -1 +0,0 @@\n-x\n"_s;
    }
    void textsDifferAsDiffShowsThem()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, expected);
        QCOMPARE(FolderDiff::unified(before, after), expected);
    }

    // Files by path: added, removed and changed ones with their headers; a binary file and a
    // changed execute bit said so; equal files left out.
    void foldersDifferFileByFile()
    {
        const QList<ContentFile> before{{u"SKILL.md"_s, "# A\n", false},
                                        {u"old.md"_s, "gone\n", false},
                                        {u"run.sh"_s, "echo\n", false},
                                        {u"tool"_s,
                                         QByteArray("\x7f"
                                                    "ELF\0\1",
                                                    6),
                                         false},
                                        {u"same.md"_s, "same\n", false}};
        const QList<ContentFile> after{{u"SKILL.md"_s, "# B\n", false},
                                       {u"new.md"_s, "hi\n", false},
                                       {u"run.sh"_s, "echo\n", true},
                                       {u"tool"_s,
                                        QByteArray("\x7f"
                                                   "ELF\0\2",
                                                   6),
                                        false},
                                       {u"same.md"_s, "same\n", false}};
        QStringList shown;
        for (const FileChange& change : FolderDiff::between(before, after, u"pdf"_s))
            shown.append(u"%1 %2\n%3"_s.arg(change.path).arg(int(change.kind)).arg(change.diff));
        QCOMPARE(
            shown,
            (QStringList{u"SKILL.md 2\n--- a/pdf/SKILL.md\n+++ b/pdf/SKILL.md\n@@ -1 +1 @@\n-# A\n+# B\n"_s,
                         u"new.md 0\n--- /dev/null\n+++ b/pdf/new.md\n@@ -0,0 +1 @@\n+hi\n"_s,
                         u"old.md 1\n--- a/pdf/old.md\n+++ /dev/null\n@@ -1 +0,0 @@\n-gone\n"_s,
                         u"run.sh 2\nold mode 100644\nnew mode 100755\n"_s,
                         u"tool 2\nBinary files a/pdf/tool and b/pdf/tool differ\n"_s}));
    }
};

QTEST_GUILESS_MAIN(TestFolderDiff)
#include "tst_folderdiff.moc"
