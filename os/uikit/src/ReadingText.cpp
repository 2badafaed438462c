#include "ReadingText.h"

#include "uikit/UILabel.h"
#include "uikit/UIStringDrawing.h"

#include <algorithm>
#include <vector>

namespace uikit {
namespace {

std::vector<std::string> labelTexts(const UIView& view)
{
    struct Text {
        CGRect rect;
        std::string text;
    };
    std::vector<Text> texts;
    auto gather = [&](auto&& self, const UIView& v) -> void {
        if (v.isHidden() || v.alpha() <= 0)
            return;
        if (auto* label = dynamic_cast<const UILabel*>(&v); label && !label->text().empty()) {
            CGRect rect = v.screenFrame();
            const CGFloat width =
                std::min(sizeWithFont(label->text(), label->font()).width, rect.size.width);
            if (label->textAlignment() == UITextAlignmentCenter)
                rect.origin.x += (rect.size.width - width) / 2;
            else if (label->textAlignment() == UITextAlignmentRight)
                rect.origin.x += rect.size.width - width;
            rect.size.width = width;
            texts.push_back({rect, label->text()});
        }
        for (const auto& subview : v.subviews())
            self(self, *subview);
    };
    gather(gather, view);
    std::stable_sort(texts.begin(), texts.end(), [](const Text& a, const Text& b) {
        return a.rect.origin.x < b.rect.origin.x;
    });
    std::vector<std::string> result;
    for (size_t first = 0; first < texts.size();) {
        size_t end = first + 1;
        CGFloat right = CGRectGetMaxX(texts[first].rect);
        while (end < texts.size() && texts[end].rect.origin.x < right)
            right = std::max(right, CGRectGetMaxX(texts[end++].rect));
        std::stable_sort(
            texts.begin() + std::ptrdiff_t(first), texts.begin() + std::ptrdiff_t(end),
            [](const Text& a, const Text& b) { return a.rect.origin.y < b.rect.origin.y; });
        for (size_t i = first; i < end; ++i)
            result.push_back(texts[i].text);
        first = end;
    }
    return result;
}

} // namespace

std::string readingText(const UIView& view)
{
    std::string joined;
    for (const auto& text : labelTexts(view))
        joined += (joined.empty() ? "" : ", ") + text;
    return joined;
}

} // namespace uikit
