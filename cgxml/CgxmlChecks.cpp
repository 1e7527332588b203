#include "cgxml/CgxmlChecks.h"

#include "base/NumberText.h"
#include "cgxml/CgxmlCodes.h"
#include "cgxml/CgxmlWriter.h"

#include <QLineF>
#include <QPointF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using Severity = CgxmlFinding::Severity;
using Ring = std::vector<QPointF>;

// Below this distance two points are one, and a point is on an edge.
constexpr double PointToleranceM = 0.001;

QString mp(double value)
{
    return CgxmlWriter::number(std::round(value * 100.0) / 100.0);
}

// The contour's vertices without a repeated first point at the end.
Ring ringOf(const Polygon& polygon)
{
    Ring ring;
    if (polygon.Points()) {
        for (const PointPtr& point : *polygon.Points())
            ring.emplace_back(point->X(), point->Y());
    }
    while (ring.size() > 1 && QLineF(ring.front(), ring.back()).length() < PointToleranceM)
        ring.pop_back();
    return ring;
}

int distinctPoints(const Ring& ring)
{
    std::vector<std::pair<double, double>> keys;
    for (const QPointF& p : ring)
        keys.emplace_back(std::round(p.x() / PointToleranceM), std::round(p.y() / PointToleranceM));
    std::sort(keys.begin(), keys.end());
    return int(std::unique(keys.begin(), keys.end()) - keys.begin());
}

double ringArea(const Ring& ring)
{
    double twice = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const QPointF& a = ring[i];
        const QPointF& b = ring[(i + 1) % ring.size()];
        twice += (a.x() - ring[0].x()) * (b.y() - ring[0].y()) - (b.x() - ring[0].x()) * (a.y() - ring[0].y());
    }
    return std::abs(twice) / 2.0;
}

int orientation(const QPointF& a, const QPointF& b, const QPointF& c)
{
    const double cross = (b.x() - a.x()) * (c.y() - a.y()) - (b.y() - a.y()) * (c.x() - a.x());
    if (std::abs(cross) < 1e-9)
        return 0;
    return cross > 0 ? 1 : -1;
}

bool onSegment(const QPointF& a, const QPointF& b, const QPointF& p)
{
    return p.x() >= std::min(a.x(), b.x()) && p.x() <= std::max(a.x(), b.x()) && p.y() >= std::min(a.y(), b.y()) &&
           p.y() <= std::max(a.y(), b.y());
}

// Whether two segments share any point (touching counts).
bool segmentsMeet(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d)
{
    const int o1 = orientation(a, b, c), o2 = orientation(a, b, d);
    const int o3 = orientation(c, d, a), o4 = orientation(c, d, b);
    if (o1 != o2 && o3 != o4)
        return true;
    return (o1 == 0 && onSegment(a, b, c)) || (o2 == 0 && onSegment(a, b, d)) || (o3 == 0 && onSegment(c, d, a)) ||
           (o4 == 0 && onSegment(c, d, b));
}

// Whether two segments cross each other's interior (touching does not count).
bool segmentsCross(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d)
{
    const int o1 = orientation(a, b, c), o2 = orientation(a, b, d);
    const int o3 = orientation(c, d, a), o4 = orientation(c, d, b);
    return o1 * o2 < 0 && o3 * o4 < 0;
}

// The first pair of non-adjacent edges that meet, as indices of their first vertices; the
// edges are visited in order of their left end, so a contour is checked in about n log n.
bool findSelfIntersection(const Ring& ring, int* first, int* second)
{
    const int n = int(ring.size());
    std::vector<int> order(std::size_t(n), 0);
    for (int i = 0; i < n; ++i)
        order[std::size_t(i)] = i;
    auto left = [&](int i) { return std::min(ring[std::size_t(i)].x(), ring[std::size_t((i + 1) % n)].x()); };
    auto right = [&](int i) { return std::max(ring[std::size_t(i)].x(), ring[std::size_t((i + 1) % n)].x()); };
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return left(a) < left(b) || (left(a) == left(b) && a < b); });
    for (int k = 0; k < n; ++k) {
        const int i = order[std::size_t(k)];
        for (int m = k + 1; m < n && left(order[std::size_t(m)]) <= right(i); ++m) {
            const int j = order[std::size_t(m)];
            if (std::abs(i - j) == 1 || std::abs(i - j) == n - 1)
                continue; // neighbours share a vertex
            if (segmentsMeet(ring[std::size_t(i)], ring[std::size_t((i + 1) % n)], ring[std::size_t(j)],
                             ring[std::size_t((j + 1) % n)])) {
                *first = std::min(i, j);
                *second = std::max(i, j);
                return true;
            }
        }
    }
    return false;
}

bool onBoundary(const Ring& ring, const QPointF& p)
{
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const QPointF& a = ring[i];
        const QPointF& b = ring[(i + 1) % ring.size()];
        const QLineF edge(a, b);
        const double length = edge.length();
        if (length < PointToleranceM) {
            if (QLineF(a, p).length() < PointToleranceM)
                return true;
            continue;
        }
        const double t = ((p.x() - a.x()) * (b.x() - a.x()) + (p.y() - a.y()) * (b.y() - a.y())) / (length * length);
        const QPointF foot = a + (b - a) * std::clamp(t, 0.0, 1.0);
        if (QLineF(foot, p).length() < PointToleranceM)
            return true;
    }
    return false;
}

bool insideOrOn(const Ring& ring, const QPointF& p)
{
    if (onBoundary(ring, p))
        return true;
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const QPointF& a = ring[i];
        const QPointF& b = ring[j];
        if ((a.y() > p.y()) != (b.y() > p.y()) && p.x() < (b.x() - a.x()) * (p.y() - a.y()) / (b.y() - a.y()) + a.x())
            inside = !inside;
    }
    return inside;
}

QString pointNo(const Polygon& polygon, int index)
{
    return polygon.Points()->Item(index + 1)->No();
}

class Checker
{
public:
    explicit Checker(const Document& document) : m_document(document), m_land(*document.Land()) {}

    QList<CgxmlFinding> run()
    {
        if (!m_document.isApartment()) {
            areas();
            const Ring land = landContour();
            buildingContours(land);
        }
        codes();
        return m_findings;
    }

private:
    void error(const QString& text) { m_findings.append({Severity::Error, text}); }
    void warning(const QString& text) { m_findings.append({Severity::Warning, text}); }

    double landArea() const
    {
        return m_land.Parcels() ? NumberText::leadingNumber(m_land.Parcels()->TotalMeasuredArea()) : 0.0;
    }

    void areas()
    {
        const double land = landArea();
        double parcels = 0;
        if (m_land.Parcels()) {
            for (const ParcelPtr& parcel : *m_land.Parcels())
                parcels += NumberText::leadingNumber(parcel->MeasuredArea());
        }
        if (std::abs(parcels - land) > CgxmlChecks::AreaToleranceMp)
            error(QStringLiteral("Suma suprafetelor parcelelor (%1 mp) difera de suprafata masurata a terenului "
                                 "(%2 mp) cu mai mult de 1 mp.")
                      .arg(mp(parcels), mp(land)));
        buildingAreas(land);
        legalArea(land);
    }

    void buildingAreas(double land)
    {
        if (!m_land.Buildings())
            return;
        double total = 0;
        for (const BuildPtr& build : *m_land.Buildings()) {
            const double built = NumberText::leadingNumber(build->MeasuredArea());
            total += built;
            if (built > land)
                error(QStringLiteral("Suprafata construita a constructiei %1 (%2 mp) depaseste suprafata terenului "
                                     "(%3 mp).")
                          .arg(build->No(), mp(built), mp(land)));
        }
        if (total > land && m_land.Buildings()->Count() > 1)
            error(QStringLiteral("Suprafetele construite ale constructiilor (%1 mp) depasesc suprafata terenului "
                                 "(%2 mp).")
                      .arg(mp(total), mp(land)));
    }

    void legalArea(double land)
    {
        const double legal = m_land.Parcels() ? NumberText::leadingNumber(m_land.Parcels()->TotalLegalArea()) : 0.0;
        if (legal <= 0)
            return;
        const double percent = (land - legal) / legal * 100.0;
        const QString shown = CgxmlWriter::number(std::round(std::abs(percent) * 100.0) / 100.0);
        if (percent < -CgxmlChecks::LegalRefusalPercent)
            error(QStringLiteral("Suprafata masurata a terenului (%1 mp) este cu %2% mai mica decat suprafata din acte "
                                 "(%3 mp); peste 5% nu se poate exporta.")
                      .arg(mp(land), shown, mp(legal)));
        else if (std::abs(percent) > CgxmlChecks::LegalWarningPercent)
            warning(
                QStringLiteral("Suprafata masurata a terenului (%1 mp) difera cu %2% de suprafata din acte (%3 mp).")
                    .arg(mp(land), shown, mp(legal)));
    }

    // The land contour's rules; returns its ring when it is sound, else an empty one.
    Ring landContour()
    {
        if (!m_land.Geometry()) {
            error(QStringLiteral("Terenul nu are contur (TEREN)."));
            return {};
        }
        return soundRing(*m_land.Geometry(), QStringLiteral("terenului"));
    }

    Ring soundRing(const Polygon& polygon, const QString& whose)
    {
        const Ring ring = ringOf(polygon);
        if (distinctPoints(ring) < 3) {
            error(QStringLiteral("Conturul %1 are mai putin de 3 puncte distincte.").arg(whose));
            return {};
        }
        int first = 0, second = 0;
        if (findSelfIntersection(ring, &first, &second)) {
            const int n = int(ring.size());
            error(QStringLiteral("Conturul %1 se autointersecteaza: latura %2-%3 intalneste latura %4-%5.")
                      .arg(whose, pointNo(polygon, first), pointNo(polygon, (first + 1) % n), pointNo(polygon, second),
                           pointNo(polygon, (second + 1) % n)));
            return {};
        }
        if (ringArea(ring) < PointToleranceM) {
            error(QStringLiteral("Conturul %1 nu inchide o suprafata.").arg(whose));
            return {};
        }
        return ring;
    }

    void buildingContours(const Ring& land)
    {
        if (!m_land.Buildings())
            return;
        for (const BuildPtr& build : *m_land.Buildings()) {
            if (!build->Geometry()) {
                warning(QStringLiteral("Constructia %1 nu are contur.").arg(build->No()));
                continue;
            }
            const Ring ring = soundRing(*build->Geometry(), QStringLiteral("constructiei ") + build->No());
            if (ring.empty() || land.empty())
                continue;
            inside(*build, ring, land);
        }
    }

    void inside(const Build& build, const Ring& ring, const Ring& land)
    {
        for (std::size_t i = 0; i < ring.size(); ++i) {
            if (!insideOrOn(land, ring[i])) {
                error(QStringLiteral("Conturul constructiei %1 iese din conturul terenului (punctul %2).")
                          .arg(build.No(), pointNo(*build.Geometry(), int(i))));
                return;
            }
        }
        for (std::size_t i = 0; i < ring.size(); ++i) {
            for (std::size_t j = 0; j < land.size(); ++j) {
                if (segmentsCross(ring[i], ring[(i + 1) % ring.size()], land[j], land[(j + 1) % land.size()])) {
                    error(QStringLiteral("Conturul constructiei %1 intersecteaza conturul terenului (latura %2-%3).")
                              .arg(build.No(), pointNo(*build.Geometry(), int(i)),
                                   pointNo(*build.Geometry(), int((i + 1) % ring.size()))));
                    return;
                }
            }
        }
    }

    void codes()
    {
        if (m_land.Parcels()) {
            for (const ParcelPtr& parcel : *m_land.Parcels()) {
                if (!CgxmlCodes::isUseCategory(parcel->LandUse()))
                    error(QStringLiteral("Categoria de folosinta \"%1\" a parcelei %2 nu este in lista de coduri.")
                              .arg(parcel->LandUse())
                              .arg(parcel->No()));
            }
        }
        if (m_land.Buildings()) {
            for (const BuildPtr& build : *m_land.Buildings()) {
                if (!CgxmlCodes::isBuildingDestination(build->BuildDestination()))
                    error(QStringLiteral("Destinatia \"%1\" a constructiei %2 nu este in lista de coduri.")
                              .arg(build->BuildDestination(), build->No()));
                if (!m_document.isApartment() && CgxmlWriter::buildingNumber(build->No()) == 0)
                    warning(QStringLiteral("Numarul constructiei %1 nu este de forma C1, C2, ...; se exporta cu "
                                           "numarul de ordine.")
                                .arg(build->No()));
            }
        }
        const QString streetType = m_land.Address() ? m_land.Address()->StreetType() : QString();
        if (!streetType.isEmpty() && CgxmlCodes::streetTypeCode(streetType).isEmpty())
            warning(QStringLiteral("Tipul de artera \"%1\" nu are cod in lista de coduri; se scrie in fata denumirii.")
                        .arg(streetType));
    }

    const Document& m_document;
    const Land& m_land;
    QList<CgxmlFinding> m_findings;
};

} // namespace

namespace CgxmlChecks {

QList<CgxmlFinding> run(const Document& document)
{
    return Checker(document).run();
}

bool hasErrors(const QList<CgxmlFinding>& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const CgxmlFinding& f) { return f.severity == CgxmlFinding::Severity::Error; });
}

} // namespace CgxmlChecks
