#include "platform/registry/network_card_view.h"

#include <string>

#include "platform/registry/network_keys.h"
#include "platform/registry/regedit4.h"

namespace pscfg::registry {
namespace {

std::string Dotted(const sysinfo::Ipv4& address) {
  return std::to_string(address[0]) + "." + std::to_string(address[1]) + "." +
         std::to_string(address[2]) + "." + std::to_string(address[3]);
}

struct Card {
  std::string name;
  std::vector<std::string> addresses;
  std::vector<std::string> masks;
};

}  // namespace

KeyNode BuildNetworkCardView(const std::vector<sysinfo::HostInterface>& interfaces) {
  std::vector<Card> cards;
  for (const sysinfo::HostInterface& host_interface : interfaces) {
    if (host_interface.loopback || host_interface.name.empty() ||
        host_interface.name.find('\\') != std::string::npos ||
        !IsStorableName(host_interface.name)) {
      continue;
    }
    Card* card = nullptr;
    for (Card& known : cards) {
      if (known.name == host_interface.name) card = &known;
    }
    if (card == nullptr) card = &cards.emplace_back(Card{host_interface.name, {}, {}});
    card->addresses.push_back(Dotted(host_interface.address));
    card->masks.push_back(Dotted(host_interface.netmask));
  }

  KeyNode root;
  const std::vector<std::string> card_lists[] = {SplitKeyPath(kNetworkCardsKeyNt4),
                                                 SplitKeyPath(kNetworkCardKeyNt5)};
  // The lists exist, as on Windows, also on a host without cards.
  for (const std::vector<std::string>& list : card_lists) root.Create(list);
  for (std::size_t i = 0; i < cards.size(); ++i) {
    for (const std::vector<std::string>& list : card_lists) {
      KeyNode& card_key = root.Create(list).AddSubkey(std::to_string(i + 1));
      card_key.SetValue(kServiceNameValue, MakeStringValue(cards[i].name));
      card_key.SetValue(kDescriptionValue, MakeStringValue(cards[i].name));
    }
    const std::string tcpip_path =
        std::string(kServicesKeyPrefix) + cards[i].name + std::string(kTcpipParametersSuffix);
    KeyNode& tcpip = root.Create(SplitKeyPath(tcpip_path));
    tcpip.SetValue(kIpAddressValue, MakeMultiStringValue(cards[i].addresses));
    tcpip.SetValue(kSubnetMaskValue, MakeMultiStringValue(cards[i].masks));
  }
  return root;
}

}  // namespace pscfg::registry
