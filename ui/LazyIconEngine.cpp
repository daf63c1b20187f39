#include "ui/LazyIconEngine.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <memory>

namespace {

int Area(const QSize& size) {
    return size.width() * size.height();
}

}  // namespace

// Only the files' headers are read here, for their sizes.
TLazyIconEngine::TLazyIconEngine(const QStringList& files) {
    for (const QString& file : files) {
        const QSize size = QImageReader(file).size();
        if (size.isValid()) {
            pictures_.append({file, size});
        }
    }
}

// The smallest picture that covers the size asked for, else the largest.
TLazyIconEngine::TPicture* TLazyIconEngine::BestFit(const QSize& size) {
    TPicture* best = nullptr;
    const int wanted = Area(size);
    for (TPicture& picture : pictures_) {
        const int area = Area(picture.Size);
        if (best == nullptr) {
            best = &picture;
            continue;
        }
        const int bestArea = Area(best->Size);
        const bool better = std::min(area, bestArea) >= wanted ? area < bestArea : area > bestArea;
        if (better) {
            best = &picture;
        }
    }
    return best;
}

QPixmap TLazyIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    TPicture* picture = BestFit(size);
    if (picture == nullptr) {
        return {};
    }
    if (!picture->Decoded) {
        decoded_.addFile(picture->File, picture->Size);
        picture->Decoded = true;
    }
    return decoded_.pixmap(size, 1.0, mode, state);
}

void TLazyIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                            QIcon::State state) {
    const QPaintDevice* device = painter->device();
    const qreal ratio = device ? device->devicePixelRatio() : qGuiApp->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
}

// The best fit's size, made smaller to fit when it is larger than asked for.
QSize TLazyIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    const TPicture* picture = BestFit(size);
    if (picture == nullptr) {
        return {};
    }
    QSize actual = picture->Size;
    if (actual.width() > size.width() || actual.height() > size.height()) {
        actual.scale(size, Qt::KeepAspectRatio);
    }
    return actual;
}

// The pictures are the normal ones; the other modes and states are made from them.
QList<QSize> TLazyIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) {
    QList<QSize> sizes;
    if (mode == QIcon::Normal && state == QIcon::Off) {
        for (const TPicture& picture : pictures_) {
            sizes.append(picture.Size);
        }
    }
    return sizes;
}

bool TLazyIconEngine::isNull() {
    return pictures_.isEmpty();
}

QIconEngine* TLazyIconEngine::clone() const {
    return std::make_unique<TLazyIconEngine>(*this).release();
}
