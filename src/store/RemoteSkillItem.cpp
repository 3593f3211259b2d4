#include "store/RemoteSkillItem.h"

RemoteSkillItem RemoteSkillItem::read(const JsonReader& object)
{
    return {object.string("id"),
            object.optionalString("skillId"),
            object.string("name"),
            object.int64("installs"),
            object.optionalString("source"),
            std::nullopt,
            {}};
}

nlohmann::json RemoteSkillItem::toJson() const
{
    nlohmann::json object{{"id", id.toStdString()}, {"name", name.toStdString()}, {"installs", installs}};
    if (skillId)
        object["skillId"] = skillId->toStdString();
    if (source)
        object["source"] = source->toStdString();
    return object;
}

Result<SkillSearchResponse, DecodingError> SkillSearchResponse::decode(const QByteArray& body)
{
    auto document = JsonReader::parseObject(body);
    if (!document)
        return document.error();
    return JsonReader::decode<SkillSearchResponse>([&] {
        const JsonReader top(document.value());
        SkillSearchResponse response;
        response.query = top.string("query");
        response.searchType = top.string("searchType");
        for (const JsonReader& skill : top.objects("skills"))
            response.skills.append(RemoteSkillItem::read(skill));
        response.count = top.int64("count");
        return response;
    });
}
