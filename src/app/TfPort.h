#pragma once

#include <QWidget>

// An empty window created at start and never shown; it has no controls.
class TfPort : public QWidget {
public:
    explicit TfPort(QWidget* parent = nullptr) : QWidget(parent, Qt::Window | Qt::WindowSystemMenuHint)
    {
        setObjectName(QStringLiteral("fPort"));
        setWindowTitle(QStringLiteral("fPort"));
        resize(359, 172);
    }
};
