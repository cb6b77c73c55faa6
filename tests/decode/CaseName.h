#pragma once

#include <gtest/gtest.h>

#include <string>

namespace ostrelin::decode::testing {

// Names each instance of a table-driven test after the `name` field of its case.
struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& instance) const {
        return instance.param.name;
    }
};

}  // namespace ostrelin::decode::testing
