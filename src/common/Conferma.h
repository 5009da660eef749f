#pragma once
// The Yes/No box that guards destructive or bulk operations, named by a short operation code.
#include <QString>

#include "common/Dialoghi.h"

// Description of an operation code (compared ignoring case); an unknown code describes itself.
QString DescrizioneConferma(const QString& codice);
// Replaces codice by its description and asks "Confermi <description in lower case>?" with the
// description as title and Yes/No buttons; returns the answer (a closed box answers No).
Risposta BoxConferma(QString& codice, Dialoghi& dialoghi);
