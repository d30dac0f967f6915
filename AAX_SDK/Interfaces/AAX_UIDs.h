#pragma once

#include "AAX_SDK/Interfaces/AAX_Types.h"

// Published interface and class identifiers. Where an interface has several
// versions they are listed oldest first; a newer version extends the older one.

inline constexpr ACF_ID IID_IACFUnknown = ACF_MakeID("00000000-0000-0000-C000-000000000046");

inline constexpr ACF_ID AAX_IID_HostFactory = ACF_MakeID("382B6A96-7FD0-11D6-BCFE-00306542A024");
inline constexpr ACF_ID AAX_IID_PluginDefinition =
    ACF_MakeID("00EEF015-7FD0-11D6-8485-00306542A024");

// Objects the module gives to the host.
inline constexpr ACF_ID AAX_IID_EffectParameters =
    ACF_MakeID("964E333D-334C-533F-C2C7-3834C3C23E3E");
inline constexpr ACF_ID AAX_IID_EffectParametersV2 =
    ACF_MakeID("F1F47D06-308F-4CC5-9C7C-50A83F8AB813");
inline constexpr ACF_ID AAX_IID_EffectParametersV3 =
    ACF_MakeID("D2540E9D-9163-42BB-A6FD-81E10EA32498");
inline constexpr ACF_ID AAX_IID_EffectParametersV4 =
    ACF_MakeID("2E485536-31A3-4697-9C16-E59BF6B28A41");
inline constexpr ACF_ID AAX_IID_EffectGUI = ACF_MakeID("964E323D-424C-5E1A-2227-282423222E1E");

// Host interfaces reached by a query on a host object.
inline constexpr ACF_ID AAX_IID_Controller = ACF_MakeID("9D5E3E3D-52DC-5EFB-2018-DE1DE2E63F4E");
inline constexpr ACF_ID AAX_IID_ControllerV2 = ACF_MakeID("4C59AA0E-D7C0-4205-8B6C-32468D42D202");
inline constexpr ACF_ID AAX_IID_ControllerV3 = ACF_MakeID("DD6F168C-DA86-44F8-B864-D6CD221926E7");
inline constexpr ACF_ID AAX_IID_ControllerV4 = ACF_MakeID("2E9D35FB-BACC-4B2C-B5D7-C6E851F569BD");
inline constexpr ACF_ID AAX_IID_ControllerV5 = ACF_MakeID("06C6B83E-9D87-4938-8A38-F8E45B10A24A");
inline constexpr ACF_ID AAX_IID_AutomationDelegate =
    ACF_MakeID("9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E");
inline constexpr ACF_ID AAX_IID_Transport = ACF_MakeID("5CEE4EF4-6337-4359-B63B-FE58DC36543A");
inline constexpr ACF_ID AAX_IID_TransportV2 = ACF_MakeID("203CBD9F-982C-4FE6-A827-07480257AEC3");
inline constexpr ACF_ID AAX_IID_TransportV3 = ACF_MakeID("AF79E815-ECFE-1FB4-8A2E-24AB0EC08EF0");
inline constexpr ACF_ID AAX_IID_ViewContainer = ACF_MakeID("22DA0BBC-D550-4D5E-8CC6-734483B8837F");
inline constexpr ACF_ID AAX_IID_ViewContainerV2 =
    ACF_MakeID("9143A0BE-7A79-4D02-AE25-AADBA76A50B2");
inline constexpr ACF_ID AAX_IID_PageTable = ACF_MakeID("33C9E5BE-1CE3-4085-91A7-09D6F8EE4B64");
inline constexpr ACF_ID AAX_IID_PageTableV2 = ACF_MakeID("D0F25D1B-9C5B-4D2E-8F1F-45BC934732F7");
inline constexpr ACF_ID AAX_IID_DescriptionHost =
    ACF_MakeID("E5BC71DF-4C1F-4CC4-814A-5A7DD0E70EF5");
inline constexpr ACF_ID AAX_IID_DescriptionHostV2 =
    ACF_MakeID("E51741F1-7FCF-11D6-AAC3-00306542A024");
inline constexpr ACF_ID AAX_IID_FeatureInfo = ACF_MakeID("24545609-A7C4-44D4-ABB8-CF13EA9D0BDF");

// Host objects the module creates through the host factory: class, then interfaces.
inline constexpr ACF_ID AAX_CLSID_HostServices = ACF_MakeID("88882C2D-EBBC-42EF-C0AB-8981B0BD0CCA");
inline constexpr ACF_ID AAX_IID_HostServices = ACF_MakeID("96D42C2D-EBBC-41EF-B0AB-9991A0ED0CCA");
inline constexpr ACF_ID AAX_IID_HostServicesV2 = ACF_MakeID("A207EE9E-B442-11E4-A71E-12E3F512A338");
inline constexpr ACF_ID AAX_IID_HostServicesV3 = ACF_MakeID("12BEA399-9A4F-4353-8098-3916FA71898D");

inline constexpr ACF_ID AAX_CLSID_Collection = ACF_MakeID("89882C2D-77BC-42EF-707B-7981B7BD0CCA");
inline constexpr ACF_ID AAX_IID_Collection = ACF_MakeID("96D42C2D-EBBC-41DF-B1AB-9991A2EE0CCA");

inline constexpr ACF_ID AAX_CLSID_EffectDescriptor =
    ACF_MakeID("89872C2D-75BC-423F-401B-F9A1BAAD0CCA");
inline constexpr ACF_ID AAX_IID_EffectDescriptor =
    ACF_MakeID("96D42C2D-EBBC-41EF-D1CB-499442E40FDA");
inline constexpr ACF_ID AAX_IID_EffectDescriptorV2 =
    ACF_MakeID("41ECCC52-416B-4072-84BD-40B05210A74C");

inline constexpr ACF_ID AAX_CLSID_ComponentDescriptor =
    ACF_MakeID("94872C3D-95BC-413D-D0DB-D9B12AAD0CCA");
inline constexpr ACF_ID AAX_IID_ComponentDescriptor =
    ACF_MakeID("96E42C2D-E2BC-51EF-61C7-48994AEB0CDA");
inline constexpr ACF_ID AAX_IID_ComponentDescriptorV2 =
    ACF_MakeID("1895259E-AAA9-4F0F-A985-149837B76F89");
inline constexpr ACF_ID AAX_IID_ComponentDescriptorV3 =
    ACF_MakeID("979CFCD4-2BCB-43AE-9CD0-2D0ECD2ADCD5");

inline constexpr ACF_ID AAX_CLSID_PropertyMap = ACF_MakeID("A587AD3D-D53C-4ADC-D0DD-D9D12DDDDCDA");
inline constexpr ACF_ID AAX_IID_PropertyMap = ACF_MakeID("96EE2C2D-EECC-5EFF-E2D7-E849E3E2EEEE");
inline constexpr ACF_ID AAX_IID_PropertyMapV2 = ACF_MakeID("7177DF80-7C9C-11E2-B92A-0800200C9A66");
inline constexpr ACF_ID AAX_IID_PropertyMapV3 = ACF_MakeID("6D4AB208-D34B-4368-B4F1-58BC243F45C9");
