#pragma once
// The two trip lists of the exchange panel: rows 1.. hold "Num", the locality, the nation and the
// trip code; an empty locality ends a list.  Export acts on the right list, import on the left.
#include <QList>
#include <QString>
#include <QStringList>

#include "exchange/FileScambio.h"

class Archivio;
class Griglia;
class Progresso;

constexpr int kColonneLista = 5;
constexpr int kRigheListaPreparata = 20;
constexpr int kColonnaLocalita = 1;
constexpr int kColonnaNazione = 2;
constexpr int kColonnaCodice = 3;

// Clears the list and gives it its header, widths and 20 rows.
void PreparaLista(Griglia& lista);
// Every trip of the database by locality (the export's left list).
void CaricaListaMete(Archivio& archivio, Griglia& lista);
// The trips of a file, in file order (the import's right list).
void CaricaListaFile(const QList<MetaNelFile>& mete, Griglia& lista);

// Cuts the list at its first row without a locality and numbers the rows; answers the trips.
int RiordinaLista(Griglia& lista);
// The codes of the list's trips, in order.
QStringList CodiciLista(const Griglia& lista);

// Moves row riga of da (nothing when it is empty) to the first free row of a, the rows below
// it moving up.  Answers whether a trip moved.
bool TrasferisceMeta(Griglia& da, Griglia& a, int riga);
// Moves every trip of da to a, in order.
void TrasferisceTutte(Griglia& da, Griglia& a, Progresso& progresso);

QString DidascaliaTuttiDestra(int mete);    // "[n] Tutti --->"
QString DidascaliaTuttiSinistra(int mete);  // "<--- Tutti [n]"

QString TestoAiutoScambio();
