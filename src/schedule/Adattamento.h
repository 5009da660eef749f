#pragma once
// The arithmetic of the fitting loop: halving steps of the visit coefficient and the estimate of
// a fresh start.
#include <QString>
#include <QtGlobal>

// The coefficient of the next test: up by the step when more days are wanted than used, else down
// (a coefficient that would go below 0 becomes 1 with a step of 1); the step is then halved.  Both
// are kept to six decimals.
void ProssimoCoefficiente(float& coefficiente, float& passo, qint16 desiderati, qint16 usati);

// The coefficient text of a fresh start: the share of the desired days left to visits over the
// minimum driving days and the halts, never below "1".
QString StimaCoefficiente(float fermata, qint16 giorniMinimi, float arcoGuida, qint16 desiderati);

// The coefficient as decimal text with "." and no exponent, at most 10 characters.
QString TestoCoefficiente(float c);
