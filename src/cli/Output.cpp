#include "cli/Output.h"

#include "model/TargetApp.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace Output {

void print(const QString& text)
{
    QTextStream(stdout) << text << '\n';
}

void printJson(const Json& value)
{
    QTextStream(stdout) << QString::fromStdString(value.dump(2)) << '\n';
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QString idText(const TargetApp& app)
{
    return app.id().toString(QUuid::WithoutBraces);
}

QString absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace Output
