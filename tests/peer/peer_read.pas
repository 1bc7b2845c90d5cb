{ Reads what the C++ side wrote, with Free Pascal's Classes unit:
    peer_read bin2txt IN OUT     ObjectBinaryToText
    peer_read txt2bin IN OUT     ObjectTextToBinary
    peer_read reread IN OUT      reads a component stream into the peer components (TReader)
                                 and writes them again (TWriter)
    peer_read res16 IN OUT       the same from a 16-bit resource file (ReadComponentRes)
    peer_read reread-typed IN OUT
                                 reread, for streams whose float properties keep their type
                                 (vaSingle, vaCurrency, vaDate, as the original writes them)
    peer_read res32 IN NAME OUT  the data of resource NAME of a 32-bit resource file (fcl-res)
  Any failure prints the exception and exits with code 1. }
program peer_read;
{$mode objfpc}{$H+}
uses Classes, SysUtils, Variants, resource, resreader, PeerForms;

type
  { TReader.ReadFloat of Free Pascal 3.2.2 takes only vaExtended, and the driver reads a currency
    as the integer it stores; this driver hands the reader the other float markers as vaExtended
    and reads each by its own layout. (It would skip such a value wrongly, so it is only for
    streams whose properties all exist.) }
  TTypedFloatDriver = class(TBinaryObjectReader)
  private
    FFloatType: TValueType;
  public
    function ReadValue: TValueType; override;
    function ReadFloat: Extended; override;
  end;
  TTypedFloatReader = class(TReader)
  protected
    function CreateDriver(Stream: TStream; BufSize: Integer): TAbstractObjectReader; override;
  end;

function TTypedFloatDriver.ReadValue: TValueType;
begin
  Result := inherited ReadValue;
  FFloatType := Result;
  if Result in [vaSingle, vaCurrency, vaDate] then Result := vaExtended;
end;

function TTypedFloatDriver.ReadFloat: Extended;
var C: Currency;
begin
  case FFloatType of
    vaSingle: Result := ReadSingle;
    vaDate: Result := ReadDate;
    vaCurrency: begin Read(C, SizeOf(C)); Result := C; end;
  else Result := inherited ReadFloat;
  end;
end;

function TTypedFloatReader.CreateDriver(Stream: TStream; BufSize: Integer): TAbstractObjectReader;
begin
  Result := TTypedFloatDriver.Create(Stream, BufSize);
end;

procedure Convert(Text: Boolean);
var Input, Output: TFileStream;
begin
  Input := TFileStream.Create(ParamStr(2), fmOpenRead);
  Output := TFileStream.Create(ParamStr(3), fmCreate);
  try
    if Text then ObjectBinaryToText(Input, Output) else ObjectTextToBinary(Input, Output);
  finally
    Input.Free; Output.Free;
  end;
end;

procedure Reread(FromResource: Boolean);
var Input, Output: TFileStream; C: TComponent;
begin
  Input := TFileStream.Create(ParamStr(2), fmOpenRead);
  Output := TFileStream.Create(ParamStr(3), fmCreate);
  try
    if FromResource then C := Input.ReadComponentRes(nil) else C := Input.ReadComponent(nil);
    Output.WriteComponent(C);
    C.Free;
  finally
    Input.Free; Output.Free;
  end;
end;

procedure RereadTyped;
var Input, Output: TFileStream; Reader: TTypedFloatReader; C: TComponent;
begin
  Input := TFileStream.Create(ParamStr(2), fmOpenRead);
  Output := TFileStream.Create(ParamStr(3), fmCreate);
  Reader := TTypedFloatReader.Create(Input, 4096);
  try
    C := Reader.ReadRootComponent(nil);
    Output.WriteComponent(C);
    C.Free;
  finally
    Reader.Free; Input.Free; Output.Free;
  end;
end;

procedure ExtractRes32;
var Res: TResources; Reader: TResResourceReader; Item: TAbstractResource; Output: TFileStream;
begin
  Res := TResources.Create;
  Reader := TResResourceReader.Create;
  try
    Res.LoadFromFile(ParamStr(2), Reader);
    Item := Res.Find(RT_RCDATA, ParamStr(3));
    Output := TFileStream.Create(ParamStr(4), fmCreate);
    try
      Item.RawData.Position := 0;
      Output.CopyFrom(Item.RawData, Item.RawData.Size);
    finally
      Output.Free;
    end;
  finally
    Res.Free;
    Reader.Free;
  end;
end;

begin
  try
    if ParamStr(1) = 'bin2txt' then Convert(True)
    else if ParamStr(1) = 'txt2bin' then Convert(False)
    else if ParamStr(1) = 'reread' then Reread(False)
    else if ParamStr(1) = 'res16' then Reread(True)
    else if ParamStr(1) = 'reread-typed' then RereadTyped
    else if ParamStr(1) = 'res32' then ExtractRes32
    else raise Exception.Create('unknown command ' + ParamStr(1));
  except
    on E: Exception do
    begin
      WriteLn(StdErr, E.ClassName, ': ', E.Message);
      Halt(1);
    end;
  end;
end.
