#pragma once

#include <QCommandLineOption>
#include <QList>

// The switches commands take besides the common options, each declared once here with its
// description; a command names the ones it takes.
namespace Switch {

const QCommandLineOption& all();
const QCommandLineOption& check();
const QCommandLineOption& copy();
const QCommandLineOption& create();
const QCommandLineOption& dryRun();
const QCommandLineOption& force();
const QCommandLineOption& skipConflicts();
const QCommandLineOption& preset();
const QCommandLineOption& project();
const QCommandLineOption& link();
const QCommandLineOption& frozen();
const QCommandLineOption& noFetch();
const QCommandLineOption& offline();
const QCommandLineOption& path();
const QCommandLineOption& ref();
const QCommandLineOption& host();
const QCommandLineOption& sarif();
const QCommandLineOption& rules();
const QCommandLineOption& accept();
const QCommandLineOption& acceptRisk();
const QCommandLineOption& fix();
const QCommandLineOption& diff();
const QCommandLineOption& skillId();
const QCommandLineOption& name();

// Every switch, for the parser and the help.
const QList<QCommandLineOption>& every();

} // namespace Switch
