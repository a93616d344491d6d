#include "export/report_pdf.h"

#include "base/app_error.h"
#include "base/app_info.h"
#include "export/report_layout.h"
#include "text/string_table.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace bladetrace {
namespace {

// Fine enough for hairlines; text and pictures do not depend on it.
constexpr int kResolution = 600;

} // namespace

QByteArray reportPdf(const RunResults& results) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        fail(errc::kInvalidCall, QStringLiteral("The report needs the program's fonts: no "
                                                "graphical environment was started."));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setResolution(kResolution);
    writer.setTitle(LoadLangResString(results.language, str::kReportTitle));
    writer.setCreator(appTitle());
    const std::vector<ReportPage> pages = layoutReport(results, writer);
    QPainter painter(&writer);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        paintReportPage(painter, pages[p]);
    }
    painter.end();
    return bytes;
}

} // namespace bladetrace
