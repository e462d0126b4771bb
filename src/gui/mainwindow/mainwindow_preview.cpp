// The page preview under the option table: the selected file's first selected page, drawn by the
// renderer at the file's options while the window goes on.
#include "gui/mainwindow/mainwindow.h"

#include "core/settings/settings.h"
#include "ui_mainwindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int gap = 6;
// A batch being added or a key held down selects row after row: only where the selection
// rests is drawn.
constexpr int settleMs = 150;

} // namespace

void MainWindow::createPreview()
{
    previewLabel = new QLabel(ui->widget);
    previewLabel->setObjectName(u"previewLabel"_s);
    previewLabel->setAlignment(Qt::AlignCenter);
    previewLabel->hide();
    previewTimer.setSingleShot(true);
    previewTimer.setInterval(settleMs);
    connect(&previewTimer, &QTimer::timeout, this, &MainWindow::startPreview);
    connect(&preview, &PagePreview::ready, this, [this](const QImage &page) {
        // A hairline round the page sets it off from the panel, whatever its paper's colour.
        QImage framed = page.convertToFormat(QImage::Format_RGB32);
        QPainter painter(&framed);
        painter.setPen(QColor(0, 0, 0, 90));
        painter.drawRect(framed.rect().adjusted(0, 0, -1, -1));
        painter.end();
        QPixmap shown = QPixmap::fromImage(framed);
        shown.setDevicePixelRatio(previewLabel->devicePixelRatioF());
        previewLabel->setPixmap(shown);
    });
    connect(&preview, &PagePreview::failed, this,
            [this] { previewLabel->setText(tr("No preview")); });
}

bool MainWindow::oneFileSelected() const
{
    const int row = currentFileRow();
    return row >= 0 && row < filePaths.size() &&
           ui->tableWidget->selectionModel()->selectedRows().size() == 1;
}

void MainWindow::refreshPreview()
{
    preview.cancel();
    previewLabel->clear();
    previewLabel->setVisible(oneFileSelected());
    if (oneFileSelected())
        previewTimer.start();
    else
        previewTimer.stop();
}

void MainWindow::startPreview()
{
    if (!oneFileSelected())
        return;
    const int row = currentFileRow();

    // The room between the option table's last row and "Apply to all DPI".
    const QTableWidget *options = ui->OptionsTableWidget;
    const int rows = options->rowCount();
    const int top =
        options->y() + options->frameWidth() + options->horizontalHeader()->height() +
        (rows > 0 ? options->rowViewportPosition(rows - 1) + options->rowHeight(rows - 1) : 0) +
        gap;
    const int bottom = ui->applytoalldpi->y() - gap;
    previewLabel->setGeometry(options->x() + gap, top, options->width() - 2 * gap,
                              qMax(0, bottom - top));

    PagePreview::Request request;
    request.sourcePath = filePaths.at(row);
    request.password = passwordFor(request.sourcePath);
    request.format = ui->tableWidget->item(row, 3)->text();
    request.colour = colorModes.value(row);
    request.smooth = AppSettings().get(Settings::smoothText);
    request.page = firstShownPage(row);
    request.box = pageBoxes.value(row).value(request.page - 1);
    request.pixels = (QSizeF(previewLabel->size()) * previewLabel->devicePixelRatioF()).toSize();
    preview.show(request);
}
