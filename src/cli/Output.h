#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

#include <nlohmann/json.hpp>

class TargetApp;
struct AppError;
struct Problem;

// How the tool writes its results: one line each, or JSON, on standard output.
// The tool's own texts, in English, translated by the user's locale.
struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

namespace Output {

using Json = nlohmann::ordered_json;

void print(const QString& text);
// Text as it is, in UTF-8, in one write: a plan may be thousands of lines.
void printText(const QString& text);
void printJson(const Json& value);
std::string utf8(const QString& text);
// A fact that may be unknown: true, false or null.
Json fact(const std::optional<bool>& known);
// Texts as a JSON array of strings.
Json utf8List(const QStringList& texts);
// An app's id as the tool prints and accepts it.
QString idText(const TargetApp& app);
// A path given on the command line, made absolute against the current folder.
QString absolute(const QString& path);
// Why an app action changed nothing, in the tool's words.
QString describe(const AppError& error);
// Why something failed, on one line.
QString describe(const Problem& problem);

} // namespace Output
