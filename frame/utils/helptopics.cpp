#include "utils/helptopics.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <map>

namespace mc {

namespace {

const std::map<int, const char*>& topicTable()
{
    static const std::map<int, const char*> table = {
        {1, "读卡设备设置.htm"},     {2, "会员信息自定义字段设置.htm"}, {3, "会员卡卡类型.htm"},
        {4, "商品信息设置.htm"},     {5, "帐户设置.htm"},               {6, "报表设计.htm"},
        {7, "部门设置.htm"},         {8, "员工类型.htm"},               {9, "员工信息录入.htm"},
        {10, "权限设置.htm"},        {11, "商品信息设置.htm"},          {12, "积分规则设置.htm"},
        {13, "会员消费.htm"},        {14, "积分兑换.htm"},              {15, "字段管理.htm"},
        {16, "会员挂失.htm"},        {17, "会员续卡.htm"},              {18, "给会员发送短信息.htm"},
        {19, "员工工资计算.htm"},    {20, "交接班管理.htm"},            {21, "会员注册.htm"},
        {23, "系统设置.htm"},        {24, "会员管理.htm"},              {25, "会员注销.htm"},
        {26, "储值卡储值.htm"},      {27, "会员换卡.htm"},              {28, "计次卡消费.htm"},
        {29, "会员帐目.htm"},        {30, "员工销售查询.htm"},          {31, "商品进销.htm"},
        {32, "积分兑换查询.htm"},    {33, "营业日报表.htm"},            {34, "月统计.htm"},
        {35, "帐套管理.htm"},        {36, "简介.htm"},                  {37, "账务核对.htm"},
    };
    return table;
}

}  // namespace

QString helpTopic(int context)
{
    const auto it = topicTable().find(context);
    return it == topicTable().end() ? QString() : QString::fromUtf8(it->second);
}

QStringList helpTopics()
{
    QStringList topics;
    for (const auto& [context, topic] : topicTable())
        if (!topics.contains(QString::fromUtf8(topic)))
            topics << QString::fromUtf8(topic);
    return topics;
}

QString helpFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help/");
}

QString helpPagePath(const QString& folder, const QString& topic)
{
    // A topic is a plain file name; anything with a path in it is not ours to open.
    if (topic.isEmpty() || topic.contains(u'/') || topic.contains(u'\\'))
        return {};
    const QFileInfo page(folder + topic);
    return page.isFile() ? page.absoluteFilePath() : QString();
}

}  // namespace mc
