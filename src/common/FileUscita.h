#pragma once
// The one rule for every file written for the user (schedule files, CSV, PDF, exchange files,
// logbook files): it never replaces the database or its rebuild file, whatever name or link leads
// to them, and never a device, folder or pipe.
#include <QString>

// The refusal to show when the path must not be written, or the empty text when it may.
QString ControllaFileUscita(const QString& percorso);
