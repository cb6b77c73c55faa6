#pragma once

#include <cstddef>

namespace ostrelin::app {

// Told about every change of the queue, before and after rows come and go, so that a view can
// keep its selection and current row in step with the entries.
class QueueObserver {
  public:
    virtual ~QueueObserver() = default;
    virtual void BeginInsertEntry(std::size_t row) = 0;
    virtual void EndInsertEntry() = 0;
    virtual void BeginRemoveEntry(std::size_t row) = 0;
    virtual void EndRemoveEntry() = 0;
    virtual void EntryChanged(std::size_t row) = 0;
};

}  // namespace ostrelin::app
