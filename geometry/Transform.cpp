#include "geometry/Transform.h"

#include "app/NumberText.h"
#include "app/Prompter.h"
#include "geometry/LocaleNumber.h"

Transform::Transform(QString decimalSeparator, Prompter* prompter)
    : m_decimalSeparator(decimalSeparator.isEmpty() ? NumberText::systemDecimalSeparator() : std::move(decimalSeparator)),
      m_prompter(prompter), m_polygons(std::make_shared<Polygons>())
{
}

bool Transform::fail(const Error& error)
{
    m_lastError = error;
    if (m_prompter)
        m_prompter->showError(error.number, error.description, Prompter::Icon::Exclamation);
    return false;
}

bool Transform::readCoordinate(const QVariant& cell, double* value) const
{
    // A double goes through its text form in the user's locale, as a variant would.
    QString text = cell.typeId() == QMetaType::Double ? LocaleNumber::variantText(cell.toDouble(), m_decimalSeparator)
                                                      : cell.toString();
    text.replace(QLatin1Char('.'), m_decimalSeparator);
    return LocaleNumber::parse(text, m_decimalSeparator, value);
}

bool Transform::ArrayToPolygonCollection()
{
    const int upper = m_table.upperRow();
    if (upper == 0)
        return true;
    m_polygons = std::make_shared<Polygons>();

    QString currentName = m_table.text(1, CoordinateTable::EntityColumn);
    auto points = std::make_shared<Points>();
    auto finishPolygon = [&]() {
        auto polygon = std::make_shared<Polygon>();
        polygon->setName(currentName);
        polygon->setPoints(points);
        m_polygons->Add(polygon);
        points = std::make_shared<Points>();
    };

    for (int i = 1;; ++i) {
        if (!(i <= upper && m_table.text(i, CoordinateTable::EntityColumn) == currentName)) {
            finishPolygon();
            if (i >= m_table.upperRow())
                break;
            currentName = m_table.text(i, CoordinateTable::EntityColumn);
        }
        if (m_table.isEmpty(i, 1) || m_table.isEmpty(i, 2) || m_table.isEmpty(i, 3) || m_table.isEmpty(i, 4))
            continue;
        currentName = m_table.text(i, CoordinateTable::EntityColumn);
        double x = 0, y = 0;
        if (!readCoordinate(m_table.cell(i, CoordinateTable::XColumn), &x)
            || !readCoordinate(m_table.cell(i, CoordinateTable::YColumn), &y))
            return fail(Failure::typeMismatch().error());
        auto point = std::make_shared<Point>();
        point->setNo(m_table.text(i, CoordinateTable::NumberColumn));
        point->setX(x);
        point->setY(y);
        points->Add(point);
    }
    return true;
}

bool Transform::PolygonCollectionToArray()
{
    int total = 0;
    for (const PolygonPtr& polygon : *m_polygons)
        total += polygon->Points() ? polygon->Points()->Count() : 0;
    m_table = CoordinateTable(total);
    int offset = 0;
    for (const PolygonPtr& polygon : *m_polygons) {
        if (!polygon->Points())
            continue;
        int j = 0;
        for (const PointPtr& point : *polygon->Points()) {
            ++j;
            m_table.setCell(offset + j, CoordinateTable::EntityColumn, polygon->Name());
            m_table.setCell(offset + j, CoordinateTable::NumberColumn, point->No());
            m_table.setCell(offset + j, CoordinateTable::XColumn, point->X());
            m_table.setCell(offset + j, CoordinateTable::YColumn, point->Y());
        }
        offset += j;
    }
    return true;
}
