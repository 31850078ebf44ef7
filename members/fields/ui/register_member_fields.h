#pragma once
// The custom-field windows that the main menu opens (会员信息自定义设置).

namespace mc::members {

void registerFieldWindows();

}  // namespace mc::members
