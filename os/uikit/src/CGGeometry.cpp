#include "uikit/CGGeometry.h"

#include <algorithm>

CGRect CGRectIntersection(const CGRect& a, const CGRect& b)
{
    const CGFloat left = std::max(CGRectGetMinX(a), CGRectGetMinX(b));
    const CGFloat top = std::max(CGRectGetMinY(a), CGRectGetMinY(b));
    const CGFloat right = std::min(CGRectGetMaxX(a), CGRectGetMaxX(b));
    const CGFloat bottom = std::min(CGRectGetMaxY(a), CGRectGetMaxY(b));
    if (right <= left || bottom <= top)
        return {a.origin, {0, 0}};
    return CGRectMake(left, top, right - left, bottom - top);
}

CGRect CGRectOffset(const CGRect& r, CGFloat dx, CGFloat dy)
{
    return CGRectMake(r.origin.x + dx, r.origin.y + dy, r.size.width, r.size.height);
}

CGRect CGRectInset(const CGRect& r, CGFloat dx, CGFloat dy)
{
    return CGRectMake(r.origin.x + dx, r.origin.y + dy, r.size.width - 2 * dx,
                      r.size.height - 2 * dy);
}
