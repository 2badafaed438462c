#include "PhotoCache.h"

#include "TodoCell.h"

PhotoCache::PhotoCache(const ab::AddressBook& addressBook, size_t capacity)
    : addressBook_(addressBook), capacity_(capacity == 0 ? 1 : capacity)
{
}

std::shared_ptr<UIImage> PhotoCache::photoFor(const engine::ImageRef& image)
{
    if (!image.hasImage)
        return UIImage::imageNamed(engine::kPlaceholderImage);
    if (auto found = index_.find(image.recordID); found != index_.end()) {
        entries_.splice(entries_.begin(), entries_, found->second);
        return found->second->second;
    }
    std::shared_ptr<UIImage> photo =
        UIImage::imageWithData(addressBook_.copyImageData(image.recordID), TodoCell::photoSize());
    if (!photo)
        photo = UIImage::imageNamed(engine::kPlaceholderImage);
    entries_.emplace_front(image.recordID, photo);
    index_[image.recordID] = entries_.begin();
    if (entries_.size() > capacity_) {
        index_.erase(entries_.back().first);
        entries_.pop_back();
    }
    return photo;
}

void PhotoCache::clear()
{
    entries_.clear();
    index_.clear();
}
