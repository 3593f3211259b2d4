// Usage: quorvane_store_writer STORE insert-app NAME
//        quorvane_store_writer STORE set-folder APP-ID PATH
// Exits 0 after a successful save; prints the error and exits 1 otherwise.
#include "model/ModelContext.h"
#include "model/TargetApp.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    QTextStream err(stderr);
    if (args.size() < 4) {
        err << "usage: STORE insert-app NAME | STORE set-folder APP-ID PATH\n";
        return 2;
    }
    auto context = ModelContext::open(args[1]);
    if (!context) {
        err << context.error().description << '\n';
        return 1;
    }
    if (args[2] == u"insert-app"_s) {
        context.value()->insert(new TargetApp(args[3], u"/apps/"_s + args[3], u"folder"_s, std::nullopt));
    } else if (args[2] == u"set-folder"_s && args.size() == 5) {
        auto apps = context.value()->fetch<TargetApp>(
            [&](const TargetApp& app) { return app.id() == QUuid::fromString(args[3]); });
        if (!apps || apps->isEmpty()) {
            err << "no such app\n";
            return 1;
        }
        apps->first()->setFolderPath(args[4]);
    } else {
        err << "unknown command\n";
        return 2;
    }
    if (Outcome saved = context.value()->save(); !saved) {
        err << saved.error().description << '\n';
        return 1;
    }
    return 0;
}
