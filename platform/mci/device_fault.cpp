// The platform's error numbers for the device's faults.
#include "mci/device_fault.h"

#include "mci/mci_constants.h"

MCIERROR mciErrorOf(DeviceFault fault) {
    switch (fault) {
    case DeviceFault::EmptyCommand:
        return MCIERR_MISSING_COMMAND_STRING;
    // No number names a command text that is too long; the text itself is the parameter that
    // lies out of the range the device accepts.
    case DeviceFault::CommandTooLong:
        return MCIERR_OUTOFRANGE;
    case DeviceFault::NoClosingQuote:
        return MCIERR_NO_CLOSING_QUOTE;
    case DeviceFault::ExtraCharacters:
        return MCIERR_EXTRA_CHARACTERS;
    case DeviceFault::UnknownCommand:
        return MCIERR_UNRECOGNIZED_COMMAND;
    case DeviceFault::MissingDeviceName:
        return MCIERR_MISSING_DEVICE_NAME;
    case DeviceFault::UnknownKeyword:
        return MCIERR_UNRECOGNIZED_KEYWORD;
    case DeviceFault::MissingParameter:
        return MCIERR_MISSING_PARAMETER;
    case DeviceFault::MissingStringArgument:
        return MCIERR_MISSING_STRING_ARGUMENT;
    case DeviceFault::BadInteger:
        return MCIERR_BAD_INTEGER;
    case DeviceFault::BadConstant:
        return MCIERR_BAD_CONSTANT;
    case DeviceFault::BadTimeFormat:
        return MCIERR_BAD_TIME_FORMAT;
    case DeviceFault::ConflictingFlags:
        return MCIERR_FLAGS_NOT_COMPATIBLE;
    case DeviceFault::DuplicateFlag:
        return MCIERR_DUPLICATE_FLAGS;
    case DeviceFault::CannotUseAll:
        return MCIERR_CANNOT_USE_ALL;
    case DeviceFault::AliasNotOpen:
    case DeviceFault::UnknownDeviceType:
        return MCIERR_INVALID_DEVICE_NAME;
    case DeviceFault::DuplicateAlias:
        return MCIERR_DUPLICATE_ALIAS;
    case DeviceFault::FileNotFound:
        return MCIERR_FILE_NOT_FOUND;
    case DeviceFault::FileUnreadable:
        return MCIERR_FILE_READ;
    case DeviceFault::InvalidFile:
        return MCIERR_INVALID_FILE;
    case DeviceFault::OutOfMemory:
        return MCIERR_OUT_OF_MEMORY;
    case DeviceFault::OutOfRange:
        return MCIERR_OUTOFRANGE;
    case DeviceFault::NotApplicable:
        return MCIERR_NONAPPLICABLE_FUNCTION;
    case DeviceFault::FileNotSaved:
        return MCIERR_FILE_NOT_SAVED;
    case DeviceFault::FileNotWritable:
        return MCIERR_FILE_WRITE;
    case DeviceFault::UnnamedFile:
        return MCIERR_UNNAMED_RESOURCE;
    case DeviceFault::ReplyTooLong:
        return MCIERR_PARAM_OVERFLOW;
    case DeviceFault::OutputUnavailable:
        return MCIERR_WAVE_OUTPUTSUNSUITABLE;
    case DeviceFault::InputUnavailable:
        return MCIERR_WAVE_INPUTSUNSUITABLE;
    // The break key is pressed only by a host that is ending and about to close its devices,
    // and no other command answers this number, so the caller can tell it from every fault.
    case DeviceFault::WaitBroken:
        return MCIERR_DEVICE_LOCKED;
    }
    return MCIERR_DRIVER_INTERNAL;
}
