#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QList>
#include <QStringList>

// An icon of pictures in several sizes, one picture a file, that decodes a picture only when a size
// it is the best fit for is asked for: every size stays available to the platform, and start-up
// does not decode the ones no window draws. The best fit is the one a plain icon of all the files
// would pick.
class TLazyIconEngine final : public QIconEngine {
  public:
    explicit TLazyIconEngine(const QStringList& files);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    bool isNull() override;
    QIconEngine* clone() const override;

  private:
    struct TPicture {
        QString File;
        QSize Size;
        bool Decoded = false;
    };

    TPicture* BestFit(const QSize& size);

    QList<TPicture> pictures_;
    // The pictures decoded so far; it makes the other modes' pixmaps as any icon does.
    QIcon decoded_;
};
