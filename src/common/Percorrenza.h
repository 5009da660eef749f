#pragma once
// Driving arithmetic shared by the leg times, the schedule's driving pieces and the totals per
// road type: the time a distance takes at a speed, and kilometres read as a 16-bit integer.
#include <QtGlobal>

// Hundredths of an hour to drive km kilometres at velocita km/h: the integer part of
// km / velocita × 100 + 0.5, computed exactly, so an exact half rounds up (21 km at 40 km/h is
// 52.5 → 53) whatever the precision of the caller.  A speed that is not greater than 0 (or not a
// number) gives 0.
qint64 CentesimiPercorrenza(qint64 km, double velocita);

// Kilometres as a 16-bit integer: rounded to the nearest, an exact half to the even neighbour
// (2.5 → 2, 3.5 → 4); values beyond the 16-bit range stop at its ends.
qint16 KmIntero16(double km);
