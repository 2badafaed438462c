#include "engine/Signs.h"

namespace engine {
namespace {

struct SignStart {
    int day; // the first day of the sign that starts in this month
    int starting; // that sign
    int earlier; // the sign that ends in this month
};

constexpr SignStart kByMonth[12] = {
    {21, 11, 10}, {20, 12, 11}, {21, 1, 12}, {21, 2, 1}, {21, 3, 2}, {21, 4, 3},
    {22, 5, 4},   {23, 6, 5},   {23, 7, 6},  {23, 8, 7}, {22, 9, 8}, {22, 10, 9},
};

struct SignNames {
    const char* key;
    const char* image;
};

constexpr SignNames kSigns[12] = {
    {"Aries", "aries.png"},
    {"Taurus", "touro.png"},
    {"Gemini", "gemeos.png"},
    {"Cancer", "cancer.png"},
    {"Leo", "leao.png"},
    {"Virgo", "virgem.png"},
    {"Libra", "libra.png"},
    {"Scorpio", "escorpiao.png"},
    {"Sagittarius", "sagitario.png"},
    {"Capricorn", "capricornio.png"},
    {"Aquarius", "aquario.png"},
    {"Pisces", "peixes.png"},
};

} // namespace

int idForSigno(int day, int month)
{
    if (month < 1 || month > 12)
        return 1;
    const SignStart& start = kByMonth[month - 1];
    return day >= start.day ? start.starting : start.earlier;
}

const char* signNameKey(int sign) { return sign >= 1 && sign <= 12 ? kSigns[sign - 1].key : ""; }

const char* signImageName(int sign)
{
    return sign >= 1 && sign <= 12 ? kSigns[sign - 1].image : "clear.png";
}

} // namespace engine
