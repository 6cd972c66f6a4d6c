#pragma once

// The maker's addresses, in one place. They use the reserved top-level domain
// .example, so that no real third party is named.
namespace qb::product {

inline constexpr char kMakerSite[] = "http://www.tarnwick.example/";
inline constexpr char kMakerEmail[] = "support@tarnwick.example";
// The start page the guard keeps when the user asks it to.
inline constexpr char kDefaultHomePage[] = "http://www.tarnwick.example/";
inline constexpr char kLumbrellaHomePage[] = "http://www.tarnwick.example/lumbrella/";
inline constexpr char kShredmoorPage[] = "http://www.tarnwick.example/docs/shredmoor/";

}  // namespace qb::product
