#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Reads back what a written workbook holds: it is a zip of XML parts.
class XlsxReader
{
public:
    struct Cell
    {
        QString text;      // shared string or the number as written
        bool isNumber = false;
        double number = 0;
        QString numFormat; // format code of the cell's style ("@", "0.00", "0", "hh:mm", "General")
        bool medium[4] = {false, false, false, false}; // left, right, top, bottom borders medium
        bool filled = false;
    };

    explicit XlsxReader(const QString& path);
    bool ok() const { return m_ok; }

    QByteArray part(const QString& name) const;
    QStringList partNames() const { return m_parts.keys(); }
    QStringList sheetNames() const;
    // Cells of worksheet n (1-based), keyed "B2".
    QMap<QString, Cell> cells(int worksheet) const;
    // The chart element of the first chart ("pieChart", "barChart/bar", "barChart/col", ...).
    QString chartKind() const;
    QString chartXml() const { return QString::fromUtf8(part("xl/charts/chart1.xml")); }

private:
    QMap<QString, QByteArray> m_parts;
    bool m_ok = false;
};
