#pragma once
// The pictures of the printed pages, drawn by this program itself: the site logo of the page
// headers (imgLogoSito) and the two logos of the logbook pages (imgLogo1, a camper van; imgLogo2,
// a compass rose).  Each is made once and shared, so a document embeds it once.
#include <QImage>

const QImage& LogoSito();
const QImage& Logo1();
const QImage& Logo2();
