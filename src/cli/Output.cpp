#include "cli/Output.h"

#include "actions/AppActions.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace Output {

void print(const QString& text)
{
    QTextStream(stdout) << text << '\n';
}

void printText(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void printJson(const Json& value)
{
    const std::string text = value.dump(2) + '\n';
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

Json fact(const std::optional<bool>& known)
{
    return known ? Json(*known) : Json(nullptr);
}

Json utf8List(const QStringList& texts)
{
    Json list = Json::array();
    for (const QString& text : texts)
        list.push_back(utf8(text));
    return list;
}

QString idText(const TargetApp& app)
{
    return app.id().toString(QUuid::WithoutBraces);
}

QString absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString describe(const AppError& error)
{
    switch (error.kind) {
    case AppError::Kind::noName:
        return Cli::tr("The app needs a name.");
    case AppError::Kind::notAFolder:
        return Cli::tr("\"%1\" is not a folder.").arg(error.subject);
    case AppError::Kind::folderMissing:
        return Cli::tr("\"%1\" does not exist yet. --create makes it.").arg(error.subject);
    case AppError::Kind::folderNotMade:
        return error.detail;
    case AppError::Kind::noAccess:
        return Cli::tr("No access to \"%1\" could be kept.").arg(error.subject);
    case AppError::Kind::notSaved:
        return Cli::tr("The app could not be saved: ") + error.detail;
    case AppError::Kind::blankName:
        return Cli::tr("A name of only blanks is not a name; \"%1\" keeps its name.").arg(error.subject);
    case AppError::Kind::noSuchApp:
        return Cli::tr("There is no app with the id or name \"%1\".").arg(error.subject);
    case AppError::Kind::noProjectScope:
        return Cli::tr("%1 has no known skills folder inside a project.").arg(error.subject);
    case AppError::Kind::notAProject:
        return Cli::tr("The project \"%1\" is not a folder.").arg(error.subject);
    case AppError::Kind::leavesProject:
        return Cli::tr("%1 is a link that leads out of the project %2; nothing was added.")
            .arg(error.subject, error.detail);
    case AppError::Kind::ambiguousName:
        return Cli::tr("Several apps are named \"%1\"; name one by its id: %2")
            .arg(error.subject, error.candidates.join(u", "_s));
    }
    Q_UNREACHABLE();
}

QString describe(const Problem& problem)
{
    return OutcomeTexts::problem(problem).replace(u'\n', u' ');
}

} // namespace Output
