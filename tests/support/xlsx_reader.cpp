#include "tests/support/xlsx_reader.h"

#include <zip.h>

#include <QFile>
#include <QList>
#include <QXmlStreamReader>

XlsxReader::XlsxReader(const QString& path)
{
    int err = 0;
    zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err);
    if (!za)
        return;
    const zip_int64_t n = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        if (zip_stat_index(za, zip_uint64_t(i), 0, &st) != 0)
            continue;
        zip_file_t* f = zip_fopen_index(za, zip_uint64_t(i), 0);
        if (!f)
            continue;
        QByteArray data(qsizetype(st.size), '\0');
        zip_fread(f, data.data(), st.size);
        zip_fclose(f);
        m_parts.insert(QString::fromUtf8(st.name), data);
    }
    zip_close(za);
    m_ok = true;
}

QByteArray XlsxReader::part(const QString& name) const
{
    return m_parts.value(name);
}

QStringList XlsxReader::sheetNames() const
{
    QStringList out;
    QXmlStreamReader x(part("xl/workbook.xml"));
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("sheet"))
            out << x.attributes().value("name").toString();
    }
    return out;
}

QMap<QString, XlsxReader::Cell> XlsxReader::cells(int worksheet) const
{
    QStringList shared;
    {
        QXmlStreamReader x(part("xl/sharedStrings.xml"));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("t"))
                shared << x.readElementText();
        }
    }
    struct Style
    {
        QString fmt;
        bool medium[4] = {false, false, false, false};
        bool filled = false;
    };
    QList<Style> styles;
    {
        QMap<int, QString> fmts{{0, "General"}, {1, "0"}, {2, "0.00"}, {20, "h:mm"}, {49, "@"}};
        QList<QList<bool>> borders;
        QList<bool> fills;
        QXmlStreamReader x(part("xl/styles.xml"));
        QString section;
        while (!x.atEnd()) {
            x.readNext();
            if (!x.isStartElement())
                continue;
            const QString n = x.name().toString();
            if (n == "numFmt")
                fmts.insert(x.attributes().value("numFmtId").toInt(), x.attributes().value("formatCode").toString());
            else if (n == "fills" || n == "borders" || n == "cellXfs" || n == "cellStyleXfs")
                section = n;
            else if (n == "fill" && section == "fills")
                fills << false;
            else if (n == "patternFill" && section == "fills")
                fills.last() = x.attributes().value("patternType") == QLatin1String("solid");
            else if (n == "border" && section == "borders")
                borders << QList<bool>{false, false, false, false};
            else if (section == "borders" && (n == "left" || n == "right" || n == "top" || n == "bottom")) {
                const int idx = n == "left" ? 0 : n == "right" ? 1 : n == "top" ? 2 : 3;
                borders.last()[idx] = x.attributes().value("style") == QLatin1String("medium");
            } else if (n == "xf" && section == "cellXfs") {
                Style s;
                s.fmt = fmts.value(x.attributes().value("numFmtId").toInt(), "?");
                const int b = x.attributes().value("borderId").toInt();
                for (int i = 0; i < 4 && b < borders.size(); ++i)
                    s.medium[i] = borders[b][i];
                const int f = x.attributes().value("fillId").toInt();
                s.filled = f < fills.size() && fills[f];
                styles << s;
            }
        }
    }
    QMap<QString, Cell> out;
    QXmlStreamReader x(part(QStringLiteral("xl/worksheets/sheet%1.xml").arg(worksheet)));
    QString ref;
    QString type;
    int style = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("c")) {
            ref = x.attributes().value("r").toString();
            type = x.attributes().value("t").toString();
            style = x.attributes().value("s").toInt();
            Cell c;
            if (style < styles.size()) {
                c.numFormat = styles[style].fmt;
                std::copy(std::begin(styles[style].medium), std::end(styles[style].medium), c.medium);
                c.filled = styles[style].filled;
            }
            out.insert(ref, c);
        } else if (x.isStartElement() && x.name() == QLatin1String("v")) {
            const QString v = x.readElementText();
            Cell& c = out[ref];
            if (type == "s") {
                c.text = shared.value(v.toInt());
            } else {
                c.text = v;
                c.isNumber = true;
                c.number = v.toDouble();
            }
        }
    }
    return out;
}

QString XlsxReader::chartKind() const
{
    QXmlStreamReader x(part("xl/charts/chart1.xml"));
    QString kind;
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        const QString n = x.name().toString();
        if (n.endsWith("Chart") && n != "chart" && kind.isEmpty())
            kind = n;
        else if (n == "barDir" && kind == "barChart")
            kind += "/" + x.attributes().value("val").toString();
    }
    return kind;
}
