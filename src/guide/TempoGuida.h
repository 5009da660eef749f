#pragma once
// The time a guide entry asks for, as every sum of guide times reads it.
#include <QHash>
#include <QString>

// A guide time in hundredths of an hour: "hh:mm" (or any dd:hh:mm text) as a time value whose day
// is the daily visit span; "G" (or "g") followed by a number n stands for n whole days of visits,
// that is n x arcoVisita.  Blanks around the text are ignored; an empty text is 0.
float TempoGuidaCentesimi(const QString& tempo, float arcoVisita);

// TempoGuidaCentesimi over many entries: a guide holds few distinct times, so each text is read
// once and remembered.
class TempiGuidaLetti {
  public:
    explicit TempiGuidaLetti(float arcoVisita) : arcoVisita_(arcoVisita) {}
    float operator()(const QString& tempo);

  private:
    float arcoVisita_;
    QHash<QString, float> letti_;
};
