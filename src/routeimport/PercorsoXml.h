#pragma once
// Routes and tracks of GPX 1.1 and KML files as itinerary legs.  GPX routes (rte/rtept) and tracks
// (trk/trkseg/trkpt) give the line driven, named waypoints (wpt) the places on it; in KML the
// LineString coordinates give the line and the Point placemarks the places.  One leg per named
// point, in the order they lie along the line; its km are the great-circle length along the line
// from the previous named point (the first from the start of the line).  A waypoint lies where
// the line passes nearest to it.  Without a line the named points, in file order, are the line.
#include <QByteArray>
#include <QList>

#include "routeimport/TappeImportate.h"

enum class FormatoXml { Gpx, Kml };

struct EsitoXml {
    bool riconosciuto = false;  // well-formed GPX or KML
    QList<TappaImportata> tappe;
};

EsitoXml LeggiPercorsoXml(const QByteArray& byte, FormatoXml formato);

// Great-circle distance in km between two points given in degrees (mean Earth radius 6371 km).
double DistanzaKm(double lat1, double lon1, double lat2, double lon2);
