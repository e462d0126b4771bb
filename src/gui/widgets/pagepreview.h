#pragma once

#include "core/pdf/pdfinfo.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <memory>

// One page drawn small by the renderer, the same program and options the run uses, in a child
// process of its own that writes into a private temporary folder: never beside the PDF, never on
// the window's thread. Asking for another page ends the one under way, its process included.
class PagePreview final : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QString sourcePath;
        QString password; // empty for a document without one
        QString format;
        QString colour;
        bool smooth = false;
        int page = 1;
        PdfInfo::PageBox box; // empty when the probe found none: A4 is assumed
        QSize pixels;         // the room the picture gets, in device pixels
    };

    explicit PagePreview(QObject *parent = nullptr);
    ~PagePreview() override;
    Q_DISABLE_COPY_MOVE(PagePreview)

    void show(const Request &request);
    void cancel();
    bool busy() const { return bool(render); }

signals:
    // The page, fitted into the room asked for.
    void ready(const QImage &image);
    void failed();

private:
    struct Render;
    void finish(quint64 serial, bool drawn);

    std::unique_ptr<Render> render;
    quint64 renders = 0;
};
