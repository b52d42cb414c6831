#include "panes/uboxlist.h"

#include <utility>

#include "platform/textcase.h"

TFileInfo& TUBoxList::Add(TFileInfo entry)
{
    items_.push_back(std::make_unique<TFileInfo>(std::move(entry)));
    return *items_.back();
}

int TUBoxList::IndexOfName(std::string_view name) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (SameFileName(items_[i]->FileName(), name)) return static_cast<int>(i);
    return -1;
}

