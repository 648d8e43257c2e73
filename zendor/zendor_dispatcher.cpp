#include "zendor/zendor_dispatcher.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"
#include "zendor/funktion_datei_copy.h"
#include "zendor/funktion_datei_kill.h"
#include "zendor/funktion_dialog_datei.h"
#include "zendor/funktion_dialog_ordner.h"
#include "zendor/excel/funktion_excel_tabelle.h"
#include "zendor/mail/funktion_email.h"
#include "zendor/zendor_context.h"
#include "zendor/zip/funktion_export_programm.h"
#include "zendor/zip/funktion_zippen.h"
#include "zendor/zip/funktion_zippen_filter.h"

namespace zendor {

int ZendorDispatcher::functionNumber(const QString& record)
{
    return leadingInt(DatenPipe(1, record));
}

bool ZendorDispatcher::diagnosticsOf(const QString& record)
{
    return leadingNumber(DatenPipe(9, record)) != 0;
}

QString ZendorDispatcher::aboutText()
{
    return QStringLiteral("\r\rzendor - Hilfsprogramm des Terminal Tarvex.\r"
                          "Es wird mit einem Datensatz aufgerufen und erledigt genau eine Aufgabe:\r"
                          "Dateien kopieren oder löschen, Datei- und Ordnerauswahl, E-Mail,\r"
                          "Tabelle mit Diagramm, ZIP-Archive und Programmstart.");
}

void ZendorDispatcher::run(const QString& record)
{
    m_ctx.setRecord(record);
    m_ctx.setDiagnostics(diagnosticsOf(record));
    const int number = functionNumber(record);
    m_ctx.diagnosticBox(record + QStringLiteral("\rFunktion:") + QString::number(number), QStringLiteral("zendor"));
    dispatch(number, record);
}

void ZendorDispatcher::dispatch(int number, const QString& record)
{
    switch (number) {
    case 1: FunktionDialogDatei(m_ctx, FunktionDialogDatei::Kind::Open).run(record); break;
    case 2: FunktionDialogDatei(m_ctx, FunktionDialogDatei::Kind::Save).run(record); break;
    case 3: FunktionDialogOrdner(m_ctx).run(record); break;
    case 4: FunktionEmail(m_ctx, FunktionEmail::Kind::Outlook).run(record); break;
    case 5: FunktionExportProgramm(m_ctx).run(record); break;
    case 6: FunktionZippen(m_ctx).run(record); break;
    case 7: FunktionDateiCopy(m_ctx).run(record); break;
    case 8: FunktionDateiKill(m_ctx).run(record); break;
    case 9: FunktionEmail(m_ctx, FunktionEmail::Kind::Allgemein).run(record); break;
    case 10: FunktionZippenFilter(m_ctx).run(record); break;
    case 11: FunktionExcelTabelle(m_ctx).run(record); break;
    default:
        m_ctx.prompter().message(QStringLiteral("Systeminfo ZENDOR"), ZendorContext::versionText() + aboutText(),
                                 BoxButtons::Ok, BoxIcon::Information);
    }
}

} // namespace zendor
