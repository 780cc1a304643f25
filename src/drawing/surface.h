#pragma once
// One drawing interface in twips for everything the program draws: word
// strips, game boards, worksheet previews and printed pages. The print
// position advances like a text cursor, as on a picture box.

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

class Picture;
class QPainter;

class Surface {
public:
    virtual ~Surface() = default;

    /// Device pixels per twip where the surface is paper, whose pictures are
    /// decoded for the page and not kept; 0 for screens and recordings.
    virtual double paperPixelsPerTwip() const { return 0; }

    /// Fills everything with the background colour; the print position goes to 0, 0.
    void clear();
    void setBackground(const QColor &c) { m_background = c; }
    QColor background() const { return m_background; }

    /// Font by family, size in points and weight; the size is kept in twips.
    void setFont(const QString &family, double points, bool bold = false, bool italic = false);
    QFont font() const { return m_font; }
    QString fontFamily() const { return m_font.family(); }
    double fontPoints() const { return m_points; }
    void setTextColour(const QColor &c) { m_textColour = c; }
    QColor textColour() const { return m_textColour; }
    /// Colour of lines and box outlines.
    void setDrawColour(const QColor &c) { m_drawColour = c; }
    QColor drawColour() const { return m_drawColour; }

    void setPrintPosition(int x, int y) { m_pos = QPoint(x, y); }
    QPoint printPosition() const { return m_pos; }
    int currentX() const { return m_pos.x(); }
    int currentY() const { return m_pos.y(); }

    /// Prints at the print position and advances it to the right; with
    /// endLine the position goes to the start of the next line instead.
    void print(const QString &text, bool endLine = false);
    /// Text with its top-left corner at x, y; the print position moves behind it.
    void text(int x, int y, const QString &text);

    int textWidth(const QString &text) const;
    int textHeight() const;

    void line(int x1, int y1, int x2, int y2);
    void line(int x1, int y1, int x2, int y2, const QColor &c);
    /// Outlined box from (x1, y1) to (x2, y2), corners included.
    void box(int x1, int y1, int x2, int y2, const QColor &outline);
    /// Filled box with an outline in the draw colour.
    void fillBox(int x1, int y1, int x2, int y2, const QColor &fill);
    void fillBox(int x1, int y1, int x2, int y2, const QColor &fill, const QColor &outline);
    /// Picture stretched into the rectangle.
    void picture(const Picture &pic, const QRect &target);
    /// The outlines of a text's letters, made from the font's glyphs, with
    /// the text's top-left corner at x, y (letters to trace over): drawn in
    /// `pen` at the line width, dotted or solid, and filled where `fill` is
    /// a valid colour. The print position does not move.
    void outlineText(int x, int y, const QString &text, const QColor &pen, bool dotted,
                     const QColor &fill = QColor());

    /// Line width in twips (0 = the thinnest the device draws).
    void setLineWidth(int tw) { m_lineWidth = tw; }
    int lineWidth() const { return m_lineWidth; }

protected:
    // The primitives that implementations provide.
    virtual void doFill(const QColor &c) = 0;
    virtual void doText(const QPoint &topLeft, const QString &text) = 0;
    virtual void doLine(const QPoint &a, const QPoint &b, const QColor &c) = 0;
    virtual void doBox(const QRect &r, const QColor *fill, const QColor &outline) = 0;
    virtual void doPicture(const Picture &pic, const QRect &target) = 0;
    virtual void doOutlineText(const QPoint &topLeft, const QString &text, const QColor &pen,
                               bool dotted, const QColor &fill) = 0;

    QColor m_background = Qt::white;
    QColor m_textColour = Qt::black;
    QColor m_drawColour = Qt::black;
    QFont m_font;
    double m_points = 8.25;
    QPoint m_pos;
    int m_lineWidth = 0;
};

/// A surface that draws on a QPainter whose coordinates are twips
/// (the caller sets the scale, e.g. 1/15 on screen, dpi/1440 on paper).
class PainterSurface : public Surface {
public:
    PainterSurface() = default;
    explicit PainterSurface(QPainter *p) : m_painter(p) {}
    void setPainter(QPainter *p) { m_painter = p; }
    /// Rectangle that clear() fills, in twips.
    void setExtent(const QRect &r) { m_extent = r; }

protected:
    void doFill(const QColor &c) override;
    void doText(const QPoint &topLeft, const QString &text) override;
    void doLine(const QPoint &a, const QPoint &b, const QColor &c) override;
    void doBox(const QRect &r, const QColor *fill, const QColor &outline) override;
    void doPicture(const Picture &pic, const QRect &target) override;
    void doOutlineText(const QPoint &topLeft, const QString &text, const QColor &pen, bool dotted,
                       const QColor &fill) override;

    virtual QPainter *painter() { return m_painter; }
    virtual void done() {}

private:
    QPainter *m_painter = nullptr;
    QRect m_extent;
};

/// A surface for tests: keeps every operation with its coordinates.
class RecordingSurface : public Surface {
public:
    struct Op {
        enum Kind { Fill, Text, Line, Box, FilledBox, PictureOp, Outline, DottedOutline } kind;
        QRect rect;     // text: top-left and measured size; line: p1 to p2 as topLeft/bottomRight
        QString text;   // text, or the picture's file name
        QColor colour;  // text colour, line colour, fill colour; outlined text: its pen
        QColor outline; // outlined text: its fill (invalid for none)
        QString family;
        double points = 0;
        bool bold = false;
    };
    QVector<Op> ops;
    /// The texts printed, in order, joined.
    QString printedText() const;

protected:
    void doFill(const QColor &c) override;
    void doText(const QPoint &topLeft, const QString &text) override;
    void doLine(const QPoint &a, const QPoint &b, const QColor &c) override;
    void doBox(const QRect &r, const QColor *fill, const QColor &outline) override;
    void doPicture(const Picture &pic, const QRect &target) override;
    void doOutlineText(const QPoint &topLeft, const QString &text, const QColor &pen, bool dotted,
                       const QColor &fill) override;
};
