#pragma once

namespace qb::promo {

// The banner's advertisement: five paragraphs in Arial 8 points, the first
// and the third bold, in code page 1252.
inline constexpr char kBannerRichText[] =
    R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}})"
    R"({\colortbl;\red16\green38\blue46;\red128\green24\blue16;})"
    R"(\viewkind4\uc1\pard\sl-190\slmult0\cf1\f0\fs16)"
    R"(\cf2\b Long drive to work? A stiff back on the way home?\cf1\b0\par )"
    R"(Hours behind the wheel bend your spine into the wrong shape.\par )"
    R"(\b Lumbrella \'96 the back cushion that drives with you.\b0\par )"
    R"(Its memory foam keeps your lower back upright, mile after mile.\par )"
    R"(Only $39.95 at www.tarnwick.example/lumbrella \'96 order it today!})";

}  // namespace qb::promo
