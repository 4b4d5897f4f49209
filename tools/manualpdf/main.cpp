// Turns the Markdown user manual into a PDF with Qt alone: QTextDocument lays the text out,
// QPdfWriter writes the pages. Images are read from beside the Markdown file and shrunk to the
// text width; one that can not be read fails the run instead of leaving a hole in the manual.
// Usage: velmora-manualpdf <manual.md> <manual.pdf>   (needs a platform: QT_QPA_PLATFORM=offscreen)
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>
#include <QPair>
#include <QVector>

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

struct ImageFragment
{
    int position = 0;
    int length = 0;
    QTextImageFormat format;
};

QVector<ImageFragment> imageFragments(const QTextDocument& document)
{
    QVector<ImageFragment> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && fragment.charFormat().isImageFormat())
                images.append({ fragment.position(), fragment.length(), fragment.charFormat().toImageFormat() });
        }
    }
    return images;
}

// Loads every image the text names and gives it a size no wider than the text. Sizes are in
// the units of the screen's resolution, which QTextDocument::print scales to the page.
bool placeImages(QTextDocument& document, const QDir& base, qreal textWidth)
{
    for (ImageFragment& image : imageFragments(document)) {
        const QString name = image.format.name();
        const QImage picture(base.filePath(name));
        if (picture.isNull()) {
            err() << "Can not read the image " << base.filePath(name) << "\n";
            return false;
        }
        document.addResource(QTextDocument::ImageResource, QUrl(name), picture);
        const qreal scale = qMin<qreal>(1.0, textWidth / picture.width());
        image.format.setWidth(picture.width() * scale);
        image.format.setHeight(picture.height() * scale);
        QTextCursor cursor(&document);
        cursor.setPosition(image.position);
        cursor.setPosition(image.position + image.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(image.format);
    }
    return true;
}

// The Markdown reader marks code with a fixed pitch but keeps the default family, which is
// proportional: code gets a monospace family, and code blocks a light background.
void styleDocument(QTextDocument& document)
{
    const QString readerMono = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    QVector<int> codeBlocks;
    QVector<QPair<int, int>> codeSpans;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const bool codeBlock = block.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
        if (codeBlock)
            codeBlocks.append(block.position());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (fragment.isValid()
                && (codeBlock || format.fontFixedPitch() || format.fontFamily() == readerMono))
                codeSpans.append({ fragment.position(), fragment.length() });
        }
    }

    QTextCursor cursor(&document);
    QTextBlockFormat codeBlock;
    codeBlock.setBackground(QColor(0xf0, 0xf0, 0xf0));
    for (int position : codeBlocks) {
        cursor.setPosition(position);
        cursor.mergeBlockFormat(codeBlock);
    }
    QTextCharFormat mono;
    mono.setFontFamily(QStringLiteral("DejaVu Sans Mono"));
    for (const auto& span : codeSpans) {
        cursor.setPosition(span.first);
        cursor.setPosition(span.first + span.second, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(mono);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3) {
        err() << "Usage: velmora-manualpdf <manual.md> <manual.pdf>\n";
        return 2;
    }

    QFile source(arguments.at(1));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err() << "Can not read " << source.fileName() << "\n";
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QPdfWriter writer(arguments.at(2));
    writer.setTitle(QStringLiteral("Velmora user manual"));
    writer.setCreator(QStringLiteral("Velmora"));
    writer.setResolution(300);
    // QTextDocument::print adds margins of 2 cm of its own and numbers the pages.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));

    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    styleDocument(document);

    const qreal screenDpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    const qreal pageWidth = writer.width() * screenDpi / writer.resolution();
    const qreal textWidth = pageWidth - 2 * (2 / 2.54) * screenDpi - 2 * document.documentMargin();
    if (!placeImages(document, QFileInfo(source).absoluteDir(), textWidth))
        return 1;

    document.print(&writer);
    if (QFileInfo(arguments.at(2)).size() == 0) {
        err() << "Can not write " << arguments.at(2) << "\n";
        return 1;
    }
    return 0;
}
