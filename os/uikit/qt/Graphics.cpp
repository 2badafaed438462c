#include "BundleIcon.h"
#include "Painting.h"
#include "SilentSessionBus.h"
#include "TintedImage.h"
#include "foundation/Bundle.h"
#include "uikit/UIImage.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace uikit {
namespace {

std::vector<CGContext*>& contextStack()
{
    static std::vector<CGContext*> stack;
    return stack;
}

struct ImageContext {
    QImage image;
    QPainter painter;
    CGContext context;
};

std::vector<std::unique_ptr<ImageContext>>& imageContexts()
{
    static std::vector<std::unique_ptr<ImageContext>> contexts;
    return contexts;
}

ImageContext* currentImageContext()
{
    auto& images = imageContexts();
    if (images.empty() || contextStack().empty() ||
        contextStack().back() != &images.back()->context)
        return nullptr;
    return images.back().get();
}

// The desktop knows a program by its bundle: the WM class is its display name as written, which
// the dock matches to its menu entry (and to the entry's name on Wayland); the window title is
// that name in the user's language; its windows carry its icon.
void presentMainBundle()
{
    const NSBundle& bundle = NSBundle::mainBundle();
    if (const auto name = bundle.objectForInfoDictionaryKey("CFBundleDisplayName")) {
        QCoreApplication::setApplicationName(QString::fromStdString(*name));
        QGuiApplication::setApplicationDisplayName(QString::fromStdString(
            bundle.localizedObjectForInfoDictionaryKey("CFBundleDisplayName").value_or(*name)));
    }
    if (const auto entry = bundle.objectForInfoDictionaryKey("XDGDesktopEntry"))
        QGuiApplication::setDesktopFileName(QString::fromStdString(*entry));
    // Read as the bundle's other images are: a QIcon made from the file's path loads every
    // image plugin of Qt (and libjpeg) at each start to find the one that reads it.
    if (const auto icon =
            bundleIcon(bundle.objectForInfoDictionaryKey("CFBundleIconFile").value_or("icon.png")))
        QApplication::setWindowIcon(*icon);
}

} // namespace

void ensureApplication(int argc, char** argv)
{
    if (QCoreApplication::instance())
        return;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt keeps references to both for the life of the application.
    static int qtArgc = 1;
    static std::vector<char*> qtArgv;
    static char defaultName[] = "uikit";
    if (argc > 0 && argv) {
        qtArgc = argc;
        qtArgv.assign(argv, argv + argc);
    } else {
        qtArgv = {defaultName};
    }
    qtArgv.push_back(nullptr);
    useDeviceFonts();
    forgetSessionBusUnlessItAnswers();
    // Never destroyed: views and images may outlive main().
    static QApplication* application = new QApplication(qtArgc, qtArgv.data());
    (void)application;
    presentMainBundle();
}

ContextScope::ContextScope(QPainter& painter)
{
    context_.painter = &painter;
    contextStack().push_back(&context_);
}

ContextScope::~ContextScope() { contextStack().pop_back(); }

CGContext* currentContext() { return contextStack().empty() ? nullptr : contextStack().back(); }

QPainter* currentPainter()
{
    CGContext* context = currentContext();
    return context ? context->painter : nullptr;
}

QColor toQColor(const UIColor& color)
{
    return QColor::fromRgbF(color.red(), color.green(), color.blue(), color.alpha());
}

QRectF toQRect(const CGRect& rect)
{
    return QRectF(rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
}

QFont toQFont(const UIFont& font)
{
    QFont qfont;
    qfont.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                       QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    qfont.setPixelSize(std::max(1, int(std::lround(font.pointSize()))));
    qfont.setBold(font.isBold());
    qfont.setHintingPreference(QFont::PreferNoHinting);
    return qfont;
}

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::shared_ptr<UIImage> makeImage(QImage image, std::string name, std::optional<CGSize> size)
{
    if (image.isNull())
        return nullptr;
    auto bitmap = std::make_unique<UIImage::Bitmap>();
    bitmap->size = size.value_or(CGSize{CGFloat(image.width()), CGFloat(image.height())});
    bitmap->image = std::move(image);
    return std::make_shared<UIImage>(std::move(bitmap), std::move(name));
}

QLinearGradient verticalGradient(const QRectF& rect, const QColor& top, const QColor& bottom)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

QLinearGradient toQGradient(const CGLinearGradient& gradient)
{
    QLinearGradient result(QPointF(gradient.start.x, gradient.start.y),
                           QPointF(gradient.end.x, gradient.end.y));
    for (const auto& stop : gradient.stops)
        result.setColorAt(stop.location, toQColor(stop.color));
    return result;
}

QPen strokePen(const CGContext& context)
{
    return QPen(context.stroke, context.lineWidth, Qt::SolidLine, context.lineCap,
                context.lineJoin);
}

std::shared_ptr<UIImage> tintedImage(const UIImage& image, const UIColor& color)
{
    QImage shape = image.bitmap().image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&shape);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(shape.rect(), toQColor(color));
    }
    return makeImage(std::move(shape), {}, image.size());
}

} // namespace uikit

using namespace uikit;

CGContextRef UIGraphicsGetCurrentContext() { return currentContext(); }

void UIGraphicsBeginImageContext(CGSize size)
{
    ensureApplication();
    auto context = std::make_unique<ImageContext>();
    const int width = std::max(0, int(std::lround(size.width)));
    const int height = std::max(0, int(std::lround(size.height)));
    context->image =
        QImage(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
    context->image.fill(Qt::transparent);
    if (width == 0 || height == 0)
        context->image = QImage();
    else
        context->painter.begin(&context->image);
    context->painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                                    QPainter::TextAntialiasing);
    context->context.painter = context->painter.isActive() ? &context->painter : nullptr;
    contextStack().push_back(&context->context);
    imageContexts().push_back(std::move(context));
}

std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext()
{
    ImageContext* context = currentImageContext();
    if (!context || context->image.isNull())
        return nullptr;
    // What the painter drew so far, without ending it.
    QImage copy = context->image.copy();
    return makeImage(std::move(copy), context->context.lastImageName);
}

void UIGraphicsEndImageContext()
{
    if (!currentImageContext())
        return;
    contextStack().pop_back();
    imageContexts().pop_back();
}

void UIGraphicsSetFillColor(const UIColor& color)
{
    if (CGContext* context = currentContext())
        context->fill = toQColor(color);
}

void UIRectFill(CGRect rect)
{
    if (CGContext* context = currentContext(); context && context->painter)
        context->painter->fillRect(toQRect(rect), context->fill);
}

CGLinearGradient CGLinearGradient::vertical(CGRect rect, const UIColor& top, const UIColor& bottom)
{
    return {rect.origin, {rect.origin.x, CGRectGetMaxY(rect)}, {{0, top}, {1, bottom}}};
}

void UIRectFillWithGradient(CGRect rect, const CGLinearGradient& gradient)
{
    if (QPainter* painter = currentPainter())
        painter->fillRect(toQRect(rect), toQGradient(gradient));
}

void CGContextSaveGState(CGContextRef context)
{
    if (!context)
        return;
    context->saved.push_back(
        {context->fill, context->stroke, context->lineWidth, context->lineCap, context->lineJoin});
    if (context->painter)
        context->painter->save();
}

void CGContextRestoreGState(CGContextRef context)
{
    if (!context || context->saved.empty())
        return;
    const CGContext::State& state = context->saved.back();
    context->fill = state.fill;
    context->stroke = state.stroke;
    context->lineWidth = state.lineWidth;
    context->lineCap = state.lineCap;
    context->lineJoin = state.lineJoin;
    context->saved.pop_back();
    if (context->painter)
        context->painter->restore();
}

void UIRectClip(CGRect rect)
{
    if (QPainter* painter = currentPainter())
        painter->setClipRect(toQRect(rect), Qt::IntersectClip);
}
