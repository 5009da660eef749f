#pragma once
// The clock seam: "today" and "now".  New trips start at the current date and quarter hour, and
// printed footers show today's date; tests fix the clock.
#include <QDateTime>

class Orologio {
  public:
    virtual ~Orologio() = default;
    virtual QDateTime adesso() const = 0;
};

class OrologioSistema : public Orologio {
  public:
    QDateTime adesso() const override { return QDateTime::currentDateTime(); }
};

class OrologioFisso : public Orologio {
  public:
    explicit OrologioFisso(QDateTime t) : istante(std::move(t)) {}
    QDateTime adesso() const override { return istante; }
    QDateTime istante;
};
