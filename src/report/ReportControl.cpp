#include "report/ReportControl.h"

#include <algorithm>

namespace ostrelin::report {

ReportControl::ReportControl(ReportControl* parent, const DisplayMetrics& display)
    : display_(display) {
    SetParent(parent);
}

ReportControl::~ReportControl() {
    for (ReportControl* child : children_) {
        child->parent_ = nullptr;
    }
    children_.clear();
    Detach();
}

void ReportControl::Detach() {
    if (parent_ != nullptr) {
        ReportControl* old = parent_;
        std::erase(old->children_, this);
        parent_ = nullptr;
        old->ChildrenChanged();
    }
}

void ReportControl::SetParent(ReportControl* parent) {
    if (parent == parent_) {
        return;
    }
    Detach();
    if (parent != nullptr) {
        parent_ = parent;
        parent->children_.push_back(this);
        parent->ChildrenChanged();
    }
}

}  // namespace ostrelin::report
