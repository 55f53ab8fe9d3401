// The JSON object type of the machine document: members in file order, like nlohmann's
// ordered_map, but with movable keys, so that a growing object moves its members instead
// of copying them (a copy of the interface list whenever an object grows doubles the memory
// that reading a large machine file takes).
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <utility>
#include <vector>

namespace standin {

template <class Key, class T, class IgnoredLess = void, class IgnoredAllocator = void>
struct JsonObject : std::vector<std::pair<Key, T>> {
  using key_type = Key;
  using mapped_type = T;
  using Container = std::vector<std::pair<Key, T>>;
  using typename Container::const_iterator;
  using typename Container::iterator;
  using typename Container::size_type;
  using typename Container::value_type;
  using key_compare = std::equal_to<>;

  JsonObject() = default;
  template <class It>
  JsonObject(It first, It last) : Container(first, last) {}
  JsonObject(std::initializer_list<value_type> init) : Container(init) {}

  template <class K>
  iterator find(const K& key) {
    for (iterator it = this->begin(); it != this->end(); ++it)
      if (it->first == key) return it;
    return this->end();
  }
  template <class K>
  const_iterator find(const K& key) const {
    for (const_iterator it = this->begin(); it != this->end(); ++it)
      if (it->first == key) return it;
    return this->end();
  }
  template <class K>
  size_type count(const K& key) const {
    return find(key) == this->end() ? 0 : 1;
  }
  template <class K>
  std::pair<iterator, bool> emplace(K&& key, T&& value) {
    const iterator found = find(key);
    if (found != this->end()) return {found, false};
    Container::emplace_back(std::forward<K>(key), std::move(value));
    return {std::prev(this->end()), true};
  }
  template <class K>
  T& operator[](K&& key) {
    return emplace(std::forward<K>(key), T{}).first->second;
  }
  template <class K>
  const T& operator[](const K& key) const {
    return at(key);
  }
  template <class K>
  T& at(const K& key) {
    const iterator found = find(key);
    if (found == this->end()) throw std::out_of_range("key not found");
    return found->second;
  }
  template <class K>
  const T& at(const K& key) const {
    const const_iterator found = find(key);
    if (found == this->end()) throw std::out_of_range("key not found");
    return found->second;
  }
  template <class K, class = decltype(std::declval<const Key&>() == std::declval<const K&>())>
  size_type erase(const K& key) {
    const iterator found = find(key);
    if (found == this->end()) return 0;
    Container::erase(found);
    return 1;
  }
  iterator erase(iterator pos) {
    return Container::erase(pos);
  }
  iterator erase(iterator first, iterator last) {
    return Container::erase(first, last);
  }
  std::pair<iterator, bool> insert(value_type&& value) {
    return emplace(std::move(value.first), std::move(value.second));
  }
  std::pair<iterator, bool> insert(const value_type& value) {
    const iterator found = find(value.first);
    if (found != this->end()) return {found, false};
    Container::push_back(value);
    return {std::prev(this->end()), true};
  }
  template <class InputIt>
  void insert(InputIt first, InputIt last) {
    for (; first != last; ++first) insert(*first);
  }
};

typedef nlohmann::basic_json<JsonObject> Json;

}  // namespace standin
