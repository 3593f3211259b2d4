#pragma once

// The program speaks German only: Qt's own texts (file panels and buttons in the window,
// network and file errors in both the window and the command-line tool) are loaded in
// German too, so a German message never ends in an English one. Logs a line when Qt's
// translations are not installed; returns whether they were loaded.
bool loadQtGermanTexts();
