// Draws the photograph of the QRT-72(S) board that the main window shows, and encodes it.
//
//   boardphoto <output.jpg> [<marks-preview.png>]
//
// The optional preview is the developed photograph with the places of the main window's highlight
// circles drawn over it, for checking that each settable part lies under its circle.

#include "BoardGeometry.h"
#include "BoardLayout.h"
#include "BoardRenderer.h"
#include "JpegWriter.h"
#include "PhotoFinish.h"

#include <QImage>
#include <QPainter>

#include <cstdio>
#include <exception>
#include <fstream>

namespace {

constexpr int kSupersample = 3;
// Chosen so that the file comes out near the size of the photograph it replaces (about 83 KB); the
// scan order that is cheap to decode (JpegWriter) adds about 5 KB to that.
constexpr int kQuality = 94;

void writeFile(const char* path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error(std::string("cannot write ") + path);
}

void writeMarksPreview(const char* path, const QImage& photo)
{
    QImage preview = photo.convertToFormat(QImage::Format_RGB32);
    QPainter p(&preview);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 230, 0), 1.0));
    for (const BoardGeometry::Mark& mark : BoardGeometry::kMarks)
        p.drawEllipse(mark.box);
    p.end();
    if (!preview.save(path, "PNG"))
        throw std::runtime_error(std::string("cannot write ") + path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <output.jpg> [<marks-preview.png>]\n", argv[0]);
        return 2;
    }
    try {
        BoardLayout layout;
        const BoardContents board = layout.build();
        const QImage scene = BoardRenderer(kSupersample).render(board);
        const QImage photo = PhotoFinish(kSupersample).develop(scene);
        const std::vector<unsigned char> jpeg = JpegWriter(kQuality).encode(photo);
        writeFile(argv[1], jpeg);
        if (argc == 3)
            writeMarksPreview(argv[2], photo);
        std::printf("%s: %zu bytes, quality %d\n", argv[1], jpeg.size(), kQuality);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "boardphoto: %s\n", e.what());
        return 1;
    }
    return 0;
}
